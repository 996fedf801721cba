// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/warm_up.h"

#include <QString>
#include <QTextBoundaryFinder>

#ifdef LUMO_HAS_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace lumo {

StartUpWarming::StartUpWarming()
    : thread_([] {
#ifdef LUMO_HAS_FONTCONFIG
          // Reads every configuration file and font cache; Qt's font
          // database then finds the configuration made.
          FcInit();
#endif
          // Qt breaks Thai into words with libthai, whose dictionary it
          // loads once for the whole process at the first Thai text.
          QTextBoundaryFinder words(QTextBoundaryFinder::Word, QStringLiteral("สวัสดีครับ"));
          words.toNextBoundary();
      }) {
}

StartUpWarming::~StartUpWarming() {
    thread_.join();
}

} // namespace lumo
