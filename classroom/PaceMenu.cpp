// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "classroom/PaceMenu.h"

#include "pace/Pause.h"

#include <QActionGroup>
#include <QApplication>
#include <QMenu>
#include <QShortcut>

PaceMenu::PaceMenu(Pause &pause, QWidget *area) : m_menu(new QMenu(area))
{
    auto *group = new QActionGroup(m_menu);
    const std::pair<Pause::Pace, QString> paces[] = {
        {Pause::Pace::AsDesigned, tr("Pace as &designed")},
        {Pause::Pace::Slow, tr("&Slow motion, a second a word")},
        {Pause::Pace::Step, tr("S&tep by step, Page Down for the next word")},
        {Pause::Pace::Predict, tr("&Predict, then watch")}};
    for (const auto &[pace, text] : paces) {
        QAction *action = group->addAction(text);
        action->setCheckable(true);
        action->setChecked(pause.pace() == pace);
        connect(action, &QAction::triggered, &pause, [&pause, pace] { pause.setPace(pace); });
    }
    m_menu->addActions(group->actions());
    // A pace set elsewhere (the command line) is the one checked.
    connect(&pause, &Pause::paceChanged, group, [group](Pause::Pace pace) {
        group->actions().at(static_cast<int>(pace))->setChecked(true);
    });

    area->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(area, &QWidget::customContextMenuRequested, this,
            [this, area](const QPoint &position) { popUp(area->mapToGlobal(position)); });
    // From the keyboard, over the focused host.
    for (const QKeySequence &keys :
         {QKeySequence(Qt::SHIFT | Qt::Key_F10), QKeySequence(Qt::Key_Menu)}) {
        auto *shortcut =
            new QShortcut(keys, area, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, area] {
            const QWidget *focus = QApplication::focusWidget();
            if (!focus)
                focus = area;
            popUp(focus->mapToGlobal(focus->rect().center()));
        });
    }
}

void PaceMenu::popUp(const QPoint &globalPosition)
{
    m_menu->popup(globalPosition);
}
