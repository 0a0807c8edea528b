#include "extender_fixture.h"

#include <QVBoxLayout>

#include "ui/AppHooks.h"

ExtenderFixture::ExtenderFixture()
{
    stamm = table("Stamm.db");
    source = std::make_unique<dbe::TDataSource>(stamm.get());
    form = std::make_unique<ui::FormBase>(QStringLiteral("TestForm"));
    auto *layout = new QVBoxLayout(form.get());
    bar = ui::make<nav::TDBVNavigator>(form.get(), "DBVNav", form.get());
    editNr = ui::make<ui::DBEdit>(form.get(), "EditNr", form.get());
    editGruppe = ui::make<ui::DBEdit>(form.get(), "EditGruppe", form.get());
    grid = ui::make<ui::DBGrid>(form.get(), "Grid", form.get());
    status = ui::make<QLabel>(form.get(), "PanelStatus", form.get());
    message = ui::make<QLabel>(form.get(), "PanelMessage", form.get());
    for (QWidget *w : std::initializer_list<QWidget *>{bar, editNr, editGruppe, grid, status, message})
        layout->addWidget(w);
    editNr->setDataSource(source.get());
    editNr->setDataField(QStringLiteral("KfzNr"));
    editGruppe->setDataSource(source.get());
    editGruppe->setDataField(QStringLiteral("Gruppe"));
    grid->setDataSource(source.get());
    ext = new nav::TDBVexarion(form.get());
    ext->SetStatusPanel(status);
    ext->MessagePanel = message;
    bar->SetNavStyle(nav::TNavStyle::nsStatic);
    bar->SetDBVexarion(ext);
    screen.setActive(form.get(), editNr);
    ext->Activate(form.get());
}

ExtenderFixture::~ExtenderFixture()
{
    ext->Deactivate(form.get());
    form.reset();
    source.reset();
    stamm.reset();
}

bool ExtenderFixture::press(int qtKey, Qt::KeyboardModifiers modifiers, const QString &text)
{
    ui::KeyMessage message;
    message.target = screen.activeControl();
    message.key = qtKey;
    message.modifiers = modifiers;
    message.text = text;
    bool handled = false;
    if (const auto &hook = ui::hooks().message.current())
        hook(message, handled);
    return handled;
}
