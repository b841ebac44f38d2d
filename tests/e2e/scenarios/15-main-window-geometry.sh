#!/usr/bin/env bash
# At 96 DPI the main window's controls stand where the design puts them: twips
# divided by 15, relative to their container, within a pixel. The header band
# has been laid out: the logo 8 pixels from the band's right edge and the
# description stretched up to 8 pixels before it.
source "$(dirname "$0")/../lib.sh"
e2e_setup

e2e_start_nocturo /S
e2e_wait_window principal visible 30000

e2e_check_main_window_geometry
