#pragma once

#include <memory>

#include <QLabel>

#include "nav_db_fixture.h"
#include "navigation/erweiterung/DBVexarion.h"
#include "navigation/leiste/DBVNavigator.h"
#include "ui/DBEdit.h"
#include "ui/DBGrid.h"
#include "ui/FormBase.h"
#include "ui/testing/FakeServices.h"
#include "ui/testing/ScriptedMessages.h"

// A form over Stamm.db with two edits (KfzNr, Gruppe), a grid, a status and a
// message panel, its extender and a navigator bar; the form is active with
// the focus on the KfzNr edit.
class ExtenderFixture : public NavDbFixture {
protected:
    ExtenderFixture();
    ~ExtenderFixture() override;

    void focus(QWidget *control) { screen.setActive(form.get(), control); }
    // A key as the application's message hook sees it; true when handled.
    bool press(int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString &text = QString());

    ui::testing::ScriptedMessages messages{
        [](const QString &reason) { ADD_FAILURE() << reason.toStdString(); }};
    ui::testing::FakeScreen screen;
    std::unique_ptr<dbe::TTable> stamm;
    std::unique_ptr<dbe::TDataSource> source;
    std::unique_ptr<ui::FormBase> form;
    ui::DBEdit *editNr = nullptr;
    ui::DBEdit *editGruppe = nullptr;
    ui::DBGrid *grid = nullptr;
    QLabel *status = nullptr;
    QLabel *message = nullptr;
    nav::TDBVexarion *ext = nullptr;
    nav::TDBVNavigator *bar = nullptr;
};
