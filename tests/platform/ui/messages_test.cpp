#include <QAbstractButton>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "ui/Messages.h"
#include "ui/testing/ScriptedMessages.h"
#include "ui_test_main.h"

using namespace ui;
using ui::testing::ScriptedMessages;

Q_DECLARE_METATYPE(ui::MsgType)
Q_DECLARE_METATYPE(ui::MsgButtons)
Q_DECLARE_METATYPE(ui::Answer)
Q_DECLARE_METATYPE(QMessageBox::Icon)

class MessagesTest : public QObject {
    Q_OBJECT
private slots:
    // The production service on a real QMessageBox: the box is inspected and
    // answered while it runs modally.
    void productionBoxHasIconButtonsAndGermanTexts_data()
    {
        QTest::addColumn<MsgType>("type");
        QTest::addColumn<MsgButtons>("buttons");
        QTest::addColumn<QMessageBox::Icon>("icon");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("buttonTexts");
        QTest::addColumn<QString>("click");
        QTest::addColumn<Answer>("answer");
        QTest::newRow("Fehler") << MsgType::Error << MsgButtons::Ok << QMessageBox::Critical << "Fehler"
                                << QStringList{"OK"} << "OK" << Answer::Ok;
        QTest::newRow("Information") << MsgType::Information << MsgButtons::Ok << QMessageBox::Information
                                     << "Information" << QStringList{"OK"} << "OK" << Answer::Ok;
        QTest::newRow("Warnung") << MsgType::Warning << MsgButtons::Ok << QMessageBox::Warning << "Warnung"
                                 << QStringList{"OK"} << "OK" << Answer::Ok;
        QTest::newRow("Frage Ja") << MsgType::Confirmation << MsgButtons::YesNo << QMessageBox::Question
                                  << "Bestätigen" << QStringList{"&Ja", "&Nein"} << "&Ja" << Answer::Yes;
        QTest::newRow("Frage Nein") << MsgType::Confirmation << MsgButtons::YesNo << QMessageBox::Question
                                    << "Bestätigen" << QStringList{"&Ja", "&Nein"} << "&Nein" << Answer::No;
        QTest::newRow("Warnfrage") << MsgType::Warning << MsgButtons::YesNo << QMessageBox::Warning
                                   << "Warnung" << QStringList{"&Ja", "&Nein"} << "&Ja" << Answer::Yes;
        QTest::newRow("Abbrechen") << MsgType::Confirmation << MsgButtons::YesNoCancel
                                   << QMessageBox::Question << "Bestätigen"
                                   << QStringList{"&Ja", "&Nein", "Abbrechen"} << "Abbrechen"
                                   << Answer::Cancel;
        QTest::newRow("OK/Abbrechen OK")
            << MsgType::Confirmation << MsgButtons::OkCancel << QMessageBox::Question << "Bestätigen"
            << QStringList{"OK", "Abbrechen"} << "OK" << Answer::Ok;
        QTest::newRow("OK/Abbrechen Abbrechen")
            << MsgType::Confirmation << MsgButtons::OkCancel << QMessageBox::Question << "Bestätigen"
            << QStringList{"OK", "Abbrechen"} << "Abbrechen" << Answer::Cancel;
    }
    void productionBoxHasIconButtonsAndGermanTexts()
    {
        QFETCH(MsgType, type);
        QFETCH(MsgButtons, buttons);
        QFETCH(QMessageBox::Icon, icon);
        QFETCH(QString, title);
        QFETCH(QStringList, buttonTexts);
        QFETCH(QString, click);
        QFETCH(Answer, answer);

        MessageBoxService service;
        QString seenText, seenTitle;
        QStringList seenButtons;
        QMessageBox::Icon seenIcon = QMessageBox::NoIcon;
        QTimer::singleShot(0, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            seenText = box->text();
            seenTitle = box->windowTitle();
            seenIcon = box->icon();
            QAbstractButton *toClick = nullptr;
            for (QAbstractButton *button : box->buttons()) {
                seenButtons << button->text();
                if (button->text() == click)
                    toClick = button;
            }
            QVERIFY(toClick);
            toClick->click();
        });
        const Answer given = service.show(type, QStringLiteral("Erste Zeile\rZweite Zeile"), buttons);
        QCOMPARE(given, answer);
        QCOMPARE(seenIcon, icon);
        QCOMPARE(seenTitle, title);
        QCOMPARE(seenText, QStringLiteral("Erste Zeile\nZweite Zeile"));
        seenButtons.sort();
        buttonTexts.sort();
        QCOMPARE(seenButtons, buttonTexts);
    }

    void escapeOnAQuestionCancels()
    {
        MessageBoxService service;
        QTimer::singleShot(0, this,
                           [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape); });
        QCOMPARE(service.show(MsgType::Confirmation, QStringLiteral("Löschen?"), MsgButtons::YesNo),
                 Answer::No);
    }

    void lineBreaks()
    {
        QCOMPARE(withLineBreaks(QStringLiteral("a\rb\r\nc\n")), QStringLiteral("a\nb\nc\n"));
    }

    void scriptedFakeAnswersWhatWasExpected()
    {
        QStringList failures;
        ScriptedMessages boxes([&](const QString &reason) { failures << reason; });
        boxes.expectQuestion(QStringLiteral("Möchten Sie das Programm beenden"), true)
            .expectWarningQuestion(QStringLiteral("Risiko?"), false)
            .expectInformation(QStringLiteral("Fertig"));
        QVERIFY(messages().question(QStringLiteral("Möchten Sie das Programm beenden")));
        QVERIFY(!messages().warningQuestion(QStringLiteral("Risiko?")));
        messages().information(QStringLiteral("Fertig"));
        QVERIFY(boxes.verifyDone());
        QVERIFY(failures.isEmpty());
    }

    // The fake's own failures, observed through its failure handler instead
    // of failing this suite.
    void scriptedFakeFailsOnUnexpectedDifferentAndLeftOverBoxes()
    {
        QStringList failures;
        {
            ScriptedMessages boxes([&](const QString &reason) { failures << reason; });
            QVERIFY(!messages().question(QStringLiteral("Niemand erwartet mich"))); // unexpected: No
            QCOMPARE(failures.size(), 1);
            QVERIFY(failures.last().contains(QStringLiteral("Niemand erwartet mich")));

            boxes.expectError(QStringLiteral("Text A"));
            messages().error(QStringLiteral("Text B")); // other text
            QCOMPARE(failures.size(), 2);
            QVERIFY(failures.last().contains(QStringLiteral("Text A")));

            boxes.expectWarning(QStringLiteral("Gleich"));
            messages().information(QStringLiteral("Gleich")); // other type
            QCOMPARE(failures.size(), 3);

            boxes.expectQuestion(QStringLiteral("Wird nie gestellt"), true);
        } // left over at the end
        QCOMPARE(failures.size(), 4);
        QVERIFY(failures.last().contains(QStringLiteral("Wird nie gestellt")));
    }

    void scriptedFakeIsOnlyInForceWhileItLives()
    {
        Messages *production = &messages();
        {
            ScriptedMessages boxes;
            QVERIFY(&messages() == &boxes);
        }
        QVERIFY(&messages() == production);
    }
};

UI_TEST_MAIN(MessagesTest)
#include "messages_test.moc"
