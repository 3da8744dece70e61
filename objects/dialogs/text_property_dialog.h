#pragma once
// The property dialog of a text: its lines on "文字" and the shared text pages.

#include <QtWidgets/QDialog>

class QPlainTextEdit;
class QTabWidget;

namespace poremi {

class TLOText;
class TextStylePages;

class TfrmTextProperty : public QDialog {
    Q_OBJECT
public:
    // A new text (not yet on a label) gets the adding caption and the first page; otherwise
    // the page last left open in this process is shown.
    explicit TfrmTextProperty(bool adding, const QString& presetFile, QWidget* parent = nullptr);

    void load(const TLOText& text);
    // Lines that were changed unbind the text from its field.
    void store(TLOText& text) const;

    // Refuses empty lines of an unbound text and distortion without a pattern, bringing up
    // the page concerned.
    void accept() override;
    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QStringList lines() const;

    QTabWidget* tabs_;
    QWidget* linesPage_;
    QPlainTextEdit* lines_;
    TextStylePages* pages_;
    QStringList loadedLines_;
    bool bound_ = false;
};

}  // namespace poremi
