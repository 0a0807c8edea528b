#pragma once

#include <functional>
#include <memory>

#include <QApplication>
#include <QTimer>

#include <gtest/gtest.h>

#include "ui/FormBase.h"

// Runs act on the next modal dialog of the given class once it shows (and
// saves a screenshot under /tmp when shot is given); cancels it afterwards
// unless act ended it.
template <class Dialog> void whenModal(std::function<void(Dialog &)> act, const char *shot = nullptr)
{
    auto *poll = new QTimer;
    auto tries = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, [poll, tries, act, shot] {
        auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget());
        if (!dialog) {
            if (++*tries > 200) {
                ADD_FAILURE() << "no modal dialog";
                poll->stop();
                poll->deleteLater();
            }
            return;
        }
        poll->stop();
        poll->deleteLater();
        if (shot)
            dialog->grab().save(QStringLiteral("/tmp/nav30_%1.png").arg(QLatin1String(shot)));
        act(*dialog);
        if (dialog->isVisible() && dialog->modalResult() == ui::mrNone)
            dialog->setModalResult(ui::mrCancel);
    });
    poll->start(1);
}
