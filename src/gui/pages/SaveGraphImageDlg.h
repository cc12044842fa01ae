// CSaveGraphImageDlg: where the Graph page's picture goes (clipboard or file), in which format and
// at which size; the choices are offered again for the rest of the run.
#pragma once

#include <QDialog>

#include <array>

class CUiServices;
class QAbstractButton;
class QButtonGroup;
class QLineEdit;

class CSaveGraphImageDlg : public QDialog {
    Q_OBJECT
public:
    enum Destination { kClipboard = 0, kFile = 1 };
    // The metafile button is shown disabled: no metafile is written. PDF is a file only.
    enum Format { kBitmap = 0, kMetafile = 1, kJpeg = 2, kPng = 3, kSvg = 4, kPdf = 5 };
    enum SizeMode { kScreenSize = 0, kSpecificSize = 1 };
    static constexpr int kFormatCount = 6;

    struct Choices {
        int destination = kClipboard;
        int format = kBitmap;
        int sizeMode = kScreenSize;
        int width = 200; // pixels, 1 .. kMaxGraphPictureSide after OK
        int height = 100;
    };

    // Loads the choices of the last OK in this run (the initial ones before any). ui shows the
    // refusals; not owned, may be null (then nothing is shown, the dialog still stays open).
    explicit CSaveGraphImageDlg(CUiServices* ui, QWidget* parent = nullptr);

    [[nodiscard]] const Choices& GetChoices() const { return m_choices; }
    // The choices remembered for the run; tests reset them.
    [[nodiscard]] static Choices& Remembered();

    // Refuses a width or height that is not a whole number from 1 to kMaxGraphPictureSide
    // (str::PictureSizeRefused, the focus on the faulty edit); otherwise stores and remembers
    // the choices and closes.
    void accept() override;

private:
    void OnDestinationChanged();
    void OnSizeModeChanged();
    [[nodiscard]] QLineEdit* RefusedSizeEdit();

    CUiServices* m_pUi;
    Choices m_choices;
    QButtonGroup* m_pDestination = nullptr;
    QButtonGroup* m_pFormat = nullptr;
    QButtonGroup* m_pSizeMode = nullptr;
    QLineEdit* m_pWidth = nullptr;
    QLineEdit* m_pHeight = nullptr;
};
