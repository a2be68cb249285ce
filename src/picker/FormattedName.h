#pragma once

#include "picker/NameText.h"
#include "platform/FormattedText.h"

// Composes the formatted name for level 0 (genus), 1 (species) or 2 (subspecies): the name
// words italic, each author upright together with the one character after it. Rank words
// (subsp., var., f. ...) and the hybrid sign are upright too, as botanical typesetting sets
// them. Unlike the plain name, a part whose list shows no text adds nothing.
FormattedText composeFormattedName(int level, const NameTextInput& input);
