// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <thread>

namespace lumo {

/// Loads, on a thread of its own, what the first window needs from the
/// system and is slow to load the first time: the font configuration and
/// the dictionary that breaks Thai text into words. Made at the top of
/// main(), it does so while Qt starts on the other processor; whatever it
/// has not finished yet, the first window loads as it would have anyway.
class StartUpWarming {
  public:
    StartUpWarming();
    /// Waits for the thread, which has long ended by then.
    ~StartUpWarming();
    StartUpWarming(const StartUpWarming &) = delete;
    StartUpWarming &operator=(const StartUpWarming &) = delete;

  private:
    std::thread thread_;
};

} // namespace lumo
