#pragma once
// A screen hosted in the main window's client area. It shows the open document, writes its
// edits back on request, and reports whether it holds edits the document has not seen.

#include <QtWidgets/QWidget>

namespace poremi {

class TLabelData;

enum class ScreenKind { Menu, Template, TextInput, FreeDesign, Image };

class Screen : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    virtual ScreenKind kind() const = 0;
    // Shows the document's current sheet and label.
    virtual void load(TLabelData& document) = 0;
    // Writes the screen's edits into the document; true when something was written.
    virtual bool store(TLabelData& document) = 0;
    virtual bool isModified() const = 0;
    // The edits are now in the document (or saved with it).
    virtual void markSaved() = 0;
};

}  // namespace poremi
