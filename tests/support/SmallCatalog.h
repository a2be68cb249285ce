#pragma once

#include "names/NameCatalog.h"

// A few genera of the world checklist with some of their names and synonyms, for the tests of
// finding names in texts.
const NameCatalog& smallCatalog();
