/* Resource identifiers shared by nocturo.rc and the Windows backend. Plain C
   macros, because the resource compiler reads this file too. */
#pragma once

/* The lowest icon identifier is the one Explorer shows for the program. */
#define NOCTURO_IDI_PROGRAM 1
#define NOCTURO_IDI_LOGO 2
