// The program's version, told once: the build takes its number from here too. A macro, so
// that the captions can be put together from literals.
#pragma once

#define VENTREL_VERSION "5.0"
