#pragma once

#include "names/NameCatalog.h"

class NameSource;

// Every name of the tables read into a catalog: the name table's rows, then the synonyms, each
// pointing at the row of its accepted name; a synonym whose row is missing is left out. Throws
// EngineError as queries do, and std::runtime_error when the two tables come from different
// imports.
NameCatalog readNameCatalog(NameSource& source);
