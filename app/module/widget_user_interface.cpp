#include "app/module/widget_user_interface.h"

#include "app/module/file_filter.h"
#include "app/module/message_form.h"

#include <QtCore/QFileInfo>
#include <QtWidgets/QApplication>
#include <QtWidgets/QFileDialog>

namespace poremi {

int WidgetUserInterface::messageBox(const QString& caption, const QString& text, const QList<MessageButton>& buttons,
                                    int defaultIndex, int cancelIndex) {
    QWidget* parent = QApplication::activeWindow();
    if (parent) {
        parent->raise();
        parent->activateWindow();
    }
    MessageForm form(caption, text, buttons, defaultIndex, cancelIndex, parent);
    return form.exec();
}

std::optional<FileAnswer> WidgetUserInterface::askFileName(const FileQuestion& question) {
    QFileDialog dialog(QApplication::activeWindow(), question.title);
    // The same dialog everywhere, also where the desktop offers none.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    const QString start = question.fileName.isEmpty() || QFileInfo(question.fileName).isAbsolute()
                              ? question.fileName
                              : QDir(question.folder).filePath(question.fileName);
    if (question.kind == FileQuestion::Kind::Folder) {
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly);
        if (!start.isEmpty()) dialog.setDirectory(start);
    } else {
        const QStringList filters = qtNameFilters(question.filter);
        dialog.setNameFilters(filters);
        if (question.filterIndex >= 1 && question.filterIndex <= filters.size())
            dialog.selectNameFilter(filters[question.filterIndex - 1]);
        if (question.kind == FileQuestion::Kind::Save) {
            dialog.setAcceptMode(QFileDialog::AcceptSave);
            dialog.setFileMode(QFileDialog::AnyFile);
            if (!question.overwritePrompt) dialog.setOption(QFileDialog::DontConfirmOverwrite);
            const QString chosenExtension = filterExtension(question.filter, question.filterIndex);
            dialog.setDefaultSuffix(chosenExtension.isEmpty() ? question.defaultExtension : chosenExtension);
            // A name typed under another entry gets that entry's extension.
            QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& selected) {
                const QString extension = filterExtension(question.filter, int(filters.indexOf(selected)) + 1);
                dialog.setDefaultSuffix(extension.isEmpty() ? question.defaultExtension : extension);
            });
        } else {
            dialog.setFileMode(QFileDialog::ExistingFile);
        }
        if (!question.folder.isEmpty()) dialog.setDirectory(question.folder);
        if (!start.isEmpty()) dialog.selectFile(start);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return FileAnswer{dialog.selectedFiles().constFirst(),
                      int(qtNameFilters(question.filter).indexOf(dialog.selectedNameFilter())) + 1};
}

}  // namespace poremi
