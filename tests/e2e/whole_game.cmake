# SPDX-FileCopyrightText: 2026 The lumo3 authors
# SPDX-License-Identifier: GPL-3.0-or-later
# One whole game of the program as built, 100 questions in real time (10 to
# 15 minutes), played on its own X screen like walk_through_a_game.py. Too
# slow for every test run, so it is only added when asked for:
#
#   cmake --preset default -DLUMO_E2E_WHOLE_GAME=ON
#   cmake --build --preset default
#   ctest --preset default -R e2e_whole_game
#
# Included from tests/e2e/CMakeLists.txt.
option(LUMO_E2E_WHOLE_GAME "Add the end-to-end test that plays a whole game (takes 10 to 15 minutes)" OFF)

if(LUMO_E2E_WHOLE_GAME)
  add_test(NAME e2e_whole_game
    COMMAND /usr/bin/python3 ${CMAKE_CURRENT_LIST_DIR}/play_a_whole_game.py
            --program $<TARGET_FILE:lumo3>
            --layouts ${PROJECT_SOURCE_DIR}/assets/layout
            --shots ${CMAKE_CURRENT_BINARY_DIR}/whole-game-shots)
  set_tests_properties(e2e_whole_game PROPERTIES TIMEOUT 1800 LABELS "e2e;long")
endif()
