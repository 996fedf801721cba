// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/reader_types.h"

#include <QLocale>
#include <QWidget>

class QComboBox;
class QHBoxLayout;
class QLabel;
class QPushButton;

namespace lumo::teacher {

class ReadQueue;
class TeacherDialogs;
class WrongChart;

/// One child: how many games, the best and average result, the share right
/// at each level, and charts of the counts and totals answered wrongly.
class ChildPage : public QWidget {
    Q_OBJECT
  public:
    ChildPage(ReadQueue &reads, TeacherDialogs &dialogs, const QLocale &locale,
              QWidget *parent = nullptr);

    /// Reads from another place, within `scope` (a class list, a computer).
    void setSource(ReadQueue &reads, const store::GameFilter &scope, bool server);

    /// Reads the names again, keeping the child shown if it still has games.
    void reload();
    void showChild(const QString &name);
    QString child() const;
    /// Deletes the child's records after the teacher confirms.
    void deleteChild();

    QLabel *summary() const { return summary_; }
    /// None until the page is first seen.
    WrongChart *countsChart() const { return counts_; }
    WrongChart *totalsChart() const { return totals_; }

  signals:
    void recordsDeleted();

  protected:
    void showEvent(QShowEvent *event) override;

  private:
    /// Reads the child's figures now if the page is seen, else when it is.
    void showSummary();
    void readSummary();
    void showFigures(const store::ChildSummary &s);
    void showMistakes(const store::WrongAnswers &wrong);

    ReadQueue *reads_;
    store::GameFilter scope_;
    bool server_ = false;
    TeacherDialogs &dialogs_;
    QLocale locale_;
    QComboBox *names_;
    QLabel *summary_;
    QLabel *levels_;
    QHBoxLayout *charts_;
    WrongChart *counts_ = nullptr;
    WrongChart *totals_ = nullptr;
    QPushButton *delete_;
    bool stale_ = true;
    bool playedTotals_ = false;
};

} // namespace lumo::teacher
