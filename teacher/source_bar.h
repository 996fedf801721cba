// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/name_links.h"
#include "store/reader_types.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;

namespace lumo::teacher {

/// Above the pages: where the games are read from (this computer or the
/// school's server), only the class list's children or everyone, and one
/// computer or all of them. Every page reads within that choice.
class SourceBar : public QWidget {
    Q_OBJECT
  public:
    enum Source { ThisComputer, SchoolServer };

    explicit SourceBar(QWidget *parent = nullptr);

    Source source() const;
    void setSource(Source source);
    /// The server's place, or empty when none is set up (only this computer then).
    void setServer(const QString &place);
    /// The class list, and the names joined to its children, which the
    /// class list's choice keeps too.
    void setClassList(const QStringList &names, const NameLinks &links = {});
    /// Games whose names are on no list: with the class list's choice on,
    /// the bar says how many it leaves out, never hiding them silently.
    void setUnlisted(int names, int games);
    QLabel *hiddenLine() const { return hidden_; }
    /// The computers that have games where the games are read from; none:
    /// no choice of computer is offered.
    void setComputers(const QStringList &computers);

    /// The class list and the computer chosen, as a filter.
    store::GameFilter scope() const;

  signals:
    void sourceChosen(lumo::teacher::SourceBar::Source source);
    void scopeChanged();

  private:
    QComboBox *source_;
    QCheckBox *classOnly_;
    QComboBox *computer_;
    QLabel *computerLabel_;
    QLabel *hidden_;
    QStringList classList_;
    NameLinks links_;
    int unlistedNames_ = 0;
    int unlistedGames_ = 0;
};

} // namespace lumo::teacher
