// The session comments' rich-text model in a QTextDocument and back.
#pragma once

#include "text/RichDocument.h"

#include <QFont>
#include <QTextCharFormat>

class QTextBlock;
class QTextCursor;
class QTextDocument;

// Lengths in a QTextDocument (indents, tab positions, picture sizes) are pixels at the screen's
// logical resolution, the unit its layout uses for them beside fonts in points; the model keeps
// twips. Blocks map to paragraphs one to one, fragments to runs; U+2028 is a line break, a
// picture is an image whose encoded bytes ride along in the format. A bullet paragraph is a
// block in a list that adds no indent of its own; its first line starts at the left indent so
// that the bullet sits in the hanging room before it, and its own first-line indent is kept
// in the block format.
namespace richtext {

// Replaces doc's content with model (an empty model: an empty document). The undo history is
// cleared and the document left unmodified.
void LoadDocument(const CRichDocument& model, QTextDocument& doc);
// The model of doc: zero paragraphs when doc is empty. Text in doc's default font has that
// font's face empty and its size given.
[[nodiscard]] CRichDocument SaveDocument(const QTextDocument& doc);

[[nodiscard]] CRichParagraphFormat ParagraphFormat(const QTextBlock& block);
// Gives the cursor's block the paragraph format (alignment, indents, tab stops, bullet).
void SetParagraphFormat(QTextCursor& cursor, const CRichParagraphFormat& format);

// A run's format as it shows text: face and size default to defaultFont.
[[nodiscard]] CRichCharFormat CharFormat(const QTextCharFormat& format, const QFont& defaultFont);
[[nodiscard]] QTextCharFormat ToCharFormat(const CRichCharFormat& format);

// Inserts picture at the cursor in format.
void InsertPicture(QTextCursor& cursor, const CRichPicture& picture, const CRichCharFormat& format);

// The resolution lengths in a QTextDocument are measured at (the screen's logical dots per inch).
[[nodiscard]] int ScreenDpi();
[[nodiscard]] double TwipsToPixels(int twips);
[[nodiscard]] int PixelsToTwips(double pixels);

} // namespace richtext
