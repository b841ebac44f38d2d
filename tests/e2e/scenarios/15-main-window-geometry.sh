#!/usr/bin/env bash
# At 96 DPI the main window's controls stand where the design puts them: twips
# divided by 15, relative to their container, within a pixel. The header band
# has been laid out: the logo 8 pixels from the band's right edge and the
# description stretched up to 8 pixels before it.
source "$(dirname "$0")/../lib.sh"
e2e_setup

e2e_start_nocturo /S
e2e_wait_window principal visible 30000

rect_of() {
  local rect
  rect=$(e2e_get principal "$1" rect)
  IFS=, read -r left top right bottom <<<"$rect"
}

# The band sits at the client area's top-left corner.
rect_of PrincipalBanda
origin_x=$left origin_y=$top
((right - left == 241)) || e2e_fail "band width $((right - left)), want 241"

# expect CONTROL CONTAINER_X CONTAINER_Y LEFT TOP WIDTH HEIGHT (design twips)
expect() {
  local control=$1 base_x=$2 base_y=$3
  local want=($((base_x + $4 / 15)) $((base_y + $5 / 15)) $(($6 / 15)) $(($7 / 15)))
  rect_of "$control"
  local got=($left $top $((right - left)) $((bottom - top)))
  local i
  for i in 0 1 2 3; do
    local diff=$((got[i] - want[i]))
    if ((diff < -1 || diff > 1)); then
      e2e_fail "$control at ${got[*]} (left top width height), design ${want[*]}"
    fi
  done
  e2e_log "$control at ${got[*]}"
}

expect frDesconexion "$origin_x" "$origin_y" 240 960 3135 1215
expect FrModo "$origin_x" "$origin_y" 240 2280 3135 1095
expect FrInformacion "$origin_x" "$origin_y" 240 3480 3135 1455
expect btnEmpezar "$origin_x" "$origin_y" 255 5040 975 375
expect btnDetener "$origin_x" "$origin_y" 1335 5040 975 375
expect btnSalir "$origin_x" "$origin_y" 2415 5040 975 375

rect_of frDesconexion
fx=$left fy=$top
expect optDesconexion1 "$fx" "$fy" 240 360 1095 195
expect txtDentroDe "$fx" "$fy" 1440 315 855 285
expect optDesconexion2 "$fx" "$fy" 240 720 735 255
expect txtALas "$fx" "$fy" 1440 720 855 285

rect_of FrModo
fx=$left fy=$top
expect optModo1 "$fx" "$fy" 120 360 855 195
expect optModo2 "$fx" "$fy" 120 720 1095 255
expect optModo3 "$fx" "$fy" 1560 360 975 255
expect chkForzado "$fx" "$fy" 1560 720 1095 255

rect_of FrInformacion
expect lblMinRestantes "$left" "$top" 360 720 2415 525

# The header band after its layout: 3615 - 480 - 120 = 3015 for the logo,
# 3015 - 645 - 120 = 2250 for the description.
expect PrincipalLogo "$origin_x" "$origin_y" 3015 120 480 480
expect PrincipalDescripcion "$origin_x" "$origin_y" 645 360 2250 435
