// CommentsEditor: what the information page needs of its session comments editor.
#pragma once

class CMemFile;

class CommentsEditor {
public:
    virtual ~CommentsEditor() = default;

    // True when the text was changed since it was last loaded or stored.
    [[nodiscard]] virtual bool IsModified() const = 0;
    // store: writes the text into file, replacing its content (an empty text still writes a
    // stream). Otherwise shows file's text (an empty file: an empty editor). Either way the
    // editor is unmodified afterwards.
    virtual void StreamComments(bool store, CMemFile& file) = 0;
    // A disabled editor is also emptied (and unmodified).
    virtual void EnableComments(bool enable) = 0;
};
