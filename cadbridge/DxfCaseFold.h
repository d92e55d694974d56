#pragma once

// Letter case as CAD programs ignore it in names: upper case for the cased letters of the
// Latin, Greek, Cyrillic, Armenian and Georgian scripts, full-width Latin, Roman numerals and
// circled letters; every other character is its own fold.
char32_t DxfFoldChar(char32_t c);
