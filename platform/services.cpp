// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/services.h"

#include <QCoreApplication>
#include <QDir>

#include <chrono>

namespace lumo {

QString Services::iconPath(const QString &fileName) const {
    return QDir(programFolder()).filePath(QStringLiteral("icon/") + fileName);
}

void RealServices::seedFromClock() {
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    engine_.seed(static_cast<std::uint64_t>(ticks));
}

double RealServices::random() {
    // generate_canonical can round up to 1.0 on some libraries; keep [0, 1).
    std::uniform_real_distribution<double> uniform(0.0, 1.0);
    double r = uniform(engine_);
    return r < 1.0 ? r : 0.0;
}

QDateTime RealServices::now() const {
    return QDateTime::currentDateTime();
}

QLocale RealServices::locale() const {
    return QLocale::system();
}

QString RealServices::programFolder() const {
    return QCoreApplication::applicationDirPath();
}

void RealServices::endProgram() {
    QCoreApplication::quit();
}

} // namespace lumo
