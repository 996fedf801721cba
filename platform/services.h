// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/places.h"

#include <QDateTime>
#include <QLocale>
#include <QSettings>
#include <QString>
#include <QStringList>

#include <random>

class QWidget;

namespace lumo {

/// What the screens need from outside the program: chance, the clock, the
/// user's locale, the two modal dialogs, the program's folder and the way
/// to end the program. The program runs on RealServices; tests hand in fakes.
class Services {
  public:
    virtual ~Services() = default;

    /// Starts the random source afresh from the clock.
    virtual void seedFromClock() = 0;
    /// A uniform real number in [0, 1).
    virtual double random() = 0;

    virtual QDateTime now() const = 0;
    virtual QLocale locale() const = 0;

    /// Modal text prompt; a cancelled prompt gives the empty text, never a
    /// null one. With `choices` the answer can be picked from them or typed anew.
    virtual QString prompt(QWidget *parent, const QString &text, const QString &title,
                           const QString &defaultAnswer, const QStringList &choices) = 0;
    /// Modal message box with an OK button only, titled with the program's title.
    virtual void message(QWidget *parent, const QString &text) = 0;

    /// The user's own settings (with the computer's, where there are any,
    /// beneath them).
    virtual QSettings &settings() = 0;

    /// The folder that holds the program; its "icon" folder holds the pictures.
    virtual QString programFolder() const = 0;
    QString iconPath(const QString &fileName) const;

    /// Ends the program at once.
    virtual void endProgram() = 0;
};

/// The program's title, shown on its message boxes.
inline const QString programTitle = QStringLiteral("lumo3");

class RealServices : public Services {
  public:
    void seedFromClock() override;
    double random() override;
    QDateTime now() const override;
    QLocale locale() const override;
    QString prompt(QWidget *parent, const QString &text, const QString &title,
                   const QString &defaultAnswer, const QStringList &choices) override;
    void message(QWidget *parent, const QString &text) override;
    QSettings &settings() override { return settings_; }
    QString programFolder() const override;
    void endProgram() override;

  private:
    std::mt19937_64 engine_{std::random_device{}()};
    // The user's settings file, also on Windows (not the registry).
    QSettings settings_{userSettingsFile(), QSettings::IniFormat};
};

} // namespace lumo
