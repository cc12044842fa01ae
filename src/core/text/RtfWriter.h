// WriteRtf: a rich-text model as RTF that rich edit controls and word processors read back.
#pragma once

#include "text/RichDocument.h"

#include <string>

// Writes {\rtf1\ansi\ansicpg1252\deff0 ...}: a font table of the faces the runs use (in order
// of first use; a face the model leaves empty is an entry with an empty name), a colour table
// when a run has a colour, then every paragraph from \pard to \par. Text outside printable
// ASCII is written as \'hh when Windows-1252 holds it, else as \uN? (N signed 16-bit, a
// surrogate pair beyond U+FFFF); tabs and line breaks as \tab and \line; bullets the way rich
// edit controls write them (\pntext and \pn with a Symbol font). ReadRtf gives back the same
// model for every document that keeps the model's rules (see CRichDocument).
[[nodiscard]] std::string WriteRtf(const CRichDocument& doc);
