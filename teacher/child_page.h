// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/name_links.h"
#include "store/reader_types.h"

#include <QLocale>
#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;

namespace lumo::teacher {

class BarChart;
class PinGuard;
class ReadQueue;
class TeacherDialogs;

/// One child, answering "which numbers": how the child's games went, for
/// each count of pictures and each total how often it was asked and
/// missed, whether the child counts one too many or one too few, and the
/// share right game after game. A listed child includes the names joined
/// to it.
class ChildPage : public QWidget {
    Q_OBJECT
  public:
    ChildPage(ReadQueue &reads, TeacherDialogs &dialogs, PinGuard &pin, const QLocale &locale,
              QWidget *parent = nullptr);

    /// Reads from another place, within `scope` (a class list, a computer):
    /// the names come from the games another page offers, or are read by
    /// readNamesIfStale().
    void setSource(ReadQueue &reads, const store::GameFilter &scope, bool server);
    void offerGames(const QList<store::GameRow> &games, const store::GameFilter &filter);
    void readNamesIfStale();
    void setClassList(const QStringList &names, const NameLinks &links);

    /// Reads the names again, keeping the child shown if it still has games.
    void reload();
    /// Shows the child a name belongs to: a listed name, a name joined to
    /// one, or a name typed.
    void showChild(const QString &name);
    /// The child shown: the listed name, or the name as typed.
    QString child() const;
    /// Every name the child's games were recorded under.
    QStringList childNames() const;
    /// Deletes the child's records, with all of the names, after the
    /// teacher confirms (and types the PIN, when one is set).
    void deleteChild();

    QLabel *summary() const { return summary_; }
    QLabel *numbers() const { return numbers_; }
    /// None until the page is first seen.
    BarChart *countsChart() const { return counts_; }
    BarChart *totalsChart() const { return totals_; }
    BarChart *progressChart() const { return progress_; }

  signals:
    void recordsDeleted();

  protected:
    void showEvent(QShowEvent *event) override;

  private:
    struct Figures;
    /// Reads the child's figures now if the page is seen, else when it is.
    void showSummary();
    void showPlayers(const QStringList &players);
    void readSummary();
    void showFigures(const Figures &figures);
    void makeCharts();
    /// The child of each name, and the names of each child.
    QString keyOf(const QString &name) const;

    ReadQueue *reads_;
    store::GameFilter scope_;
    bool server_ = false;
    TeacherDialogs &dialogs_;
    PinGuard &pin_;
    QLocale locale_;
    QStringList classList_;
    NameLinks links_;
    QComboBox *names_;
    QLabel *summary_;
    QLabel *numbers_;
    QWidget *charts_;
    BarChart *counts_ = nullptr;
    BarChart *totals_ = nullptr;
    BarChart *progress_ = nullptr;
    QPushButton *delete_;
    bool stale_ = true;
    bool namesStale_ = true;
};

} // namespace lumo::teacher
