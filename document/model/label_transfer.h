#pragma once
// Copying labels between faces and through the clipboard. The clipboard form is the object
// list stream of the face's objects in front-to-back order, the first object named "Size"
// followed by the source face's width and height as eight upper-case hexadecimal digits each.

#include <QtCore/QSize>
#include <QtCore/QString>
#include <functional>
#include <memory>
#include <optional>

class QMimeData;

namespace poremi {

class TLabelData;

// The clipboard format of labels.
inline constexpr char kSheetLabelMimeType[] = "application/x-poremi-sheetlabel";

// A yes/no question; true for Yes.
using LabelQuestion = std::function<bool(const QString& text)>;

// The questions, as the user reads them.
QString labelSizeDiffersQuestion();
QString labelReplaceQuestion();
QString labelDeleteQuestion();

// The face's design in the clipboard form; null when the face has nothing to copy.
std::unique_ptr<QMimeData> copyLabel(TLabelData& data, int face);

// The source size a clipboard label names; none when the name is not "Size" + 16 hex digits.
std::optional<QSize> labelClipSize(const QString& firstObjectName);

// Asks, when needed, before a design of the source size replaces the target face's: a size
// more than 2 mm off either way (or unknown) is told, else an existing design.
bool confirmLabelCopy(TLabelData& data, int target, std::optional<QSize> source, const LabelQuestion& ask);

// Pastes the clipboard label onto the face after confirmLabelCopy, its objects kept on the
// face. False when nothing was pasted: no label in the data, an empty list, or No.
bool pasteLabel(TLabelData& data, int face, const QMimeData& clip, const LabelQuestion& ask);

// Copies the source face's design onto the target after confirmLabelCopy, and with move
// deletes the source's afterwards. Nothing happens when the source has no design or both
// faces share one design (a label moved onto itself keeps it).
bool dragLabel(TLabelData& data, int source, int target, bool move, const LabelQuestion& ask);

// Deletes the face's design after asking; true when deleted.
bool deleteLabel(TLabelData& data, int face, const LabelQuestion& ask);
// Asks, then hands back the design's clipboard form and deletes it; null on No.
std::unique_ptr<QMimeData> cutLabel(TLabelData& data, int face, const LabelQuestion& ask);

}  // namespace poremi
