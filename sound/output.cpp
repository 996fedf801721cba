// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/output.h"

#include <QAudioDevice>
#include <QDebug>
#include <QMediaDevices>

namespace lumo {

bool soundOutputPresent() {
    if (!QMediaDevices::defaultAudioOutput().isNull())
        return true;
    static bool told = false;
    if (!std::exchange(told, true))
        qWarning("lumo3: no sound output found: the game's sounds and voice are not heard");
    return false;
}

} // namespace lumo
