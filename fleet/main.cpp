// The program body of the fleet program.
#include <QApplication>
#include <QMessageBox>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("karvenfp"));
    QMessageBox::information(nullptr, QStringLiteral("Fuhrpark"),
                             QStringLiteral("Der Fuhrpark wird eingerichtet: das Hauptfenster ist in "
                                            "diesem Stand noch nicht enthalten."));
    return 0;
}
