// Kelvane's version, kept here alone: Kelvane.exe's version resource
// (kelvane.rc) and the setup programs (installer/kelvane.nsi, which also name
// their files after it) read it from this file. The text is the numbers joined
// by dots.
#ifndef KELVANE_VERSION_H
#define KELVANE_VERSION_H

#define KELVANE_VERSION_MAJOR 1
#define KELVANE_VERSION_MINOR 0
#define KELVANE_VERSION_PATCH 0
#define KELVANE_VERSION_TEXT "1.0.0"

#endif
