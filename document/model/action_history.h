#pragma once
// The history of edits on draw objects: one per application, at most ten undoable steps.
// Related actions are grouped into one step.

#include "base/error.h"

#include <QtCore/QString>
#include <cstdint>
#include <memory>
#include <vector>

namespace poremi {

// "group level is invalid": a group closed that was never opened.
class EActionGroupError : public Exception {
public:
    using Exception::Exception;
};

class TActionBase {
public:
    enum Flag : std::uint8_t { CanUndo = 1, CanRedo = 2, CanRepeat = 4 };

    explicit TActionBase(QString caption = {}, std::uint8_t flags = CanUndo | CanRedo)
        : flags_(flags), caption_(std::move(caption)) {}
    virtual ~TActionBase() = default;
    TActionBase(const TActionBase&) = delete;
    TActionBase& operator=(const TActionBase&) = delete;

    virtual std::uint8_t flags() const { return flags_; }
    virtual QString caption() const { return caption_; }
    void setCaption(const QString& caption) { caption_ = caption; }

    virtual void repeat() {}
    virtual void redo() {}
    virtual void undo() {}

private:
    std::uint8_t flags_;
    QString caption_;
};

class TActionGroup : public TActionBase {
public:
    using TActionBase::TActionBase;

    void add(std::unique_ptr<TActionBase> action) { members_.push_back(std::move(action)); }
    bool isEmpty() const { return members_.empty(); }

    // What every member allows.
    std::uint8_t flags() const override;
    // The caption given at opening, else the first member's.
    QString caption() const override;
    // Forward in recording order.
    void repeat() override;
    void redo() override;
    // Backward, so that each member finds the state it left.
    void undo() override;

private:
    std::vector<std::unique_ptr<TActionBase>> members_;
};

class TActionList {
public:
    static constexpr int kLimit = 10;

    // The application's history.
    static TActionList& instance();

    // Appends to the innermost open group, or to the history after dropping the redo tail and
    // trimming the oldest steps beyond the limit. Nothing is kept while not recording.
    void addAction(std::unique_ptr<TActionBase> action);
    void beginGroup(const QString& caption = {});
    // Closes the innermost group and adds it when it has members.
    void endGroup();

    bool canUndo() const;
    bool canRedo() const;
    void undo();
    void redo();
    QString undoCaption() const;
    QString redoCaption() const;
    // The menu captions of the undo and redo commands.
    QString undoCommandCaption() const;
    QString redoCommandCaption() const;

    // Frees every action and every open group.
    void clear();
    qsizetype count() const { return static_cast<qsizetype>(actions_.size()); }
    bool isRecording() const { return recording_; }
    void setRecording(bool recording) { recording_ = recording; }
    bool repeatMode() const { return repeatMode_; }
    void setRepeatMode(bool repeatMode) { repeatMode_ = repeatMode; }

private:
    bool atEndRepeating() const;

    std::vector<std::unique_ptr<TActionBase>> actions_;
    qsizetype current_ = -1;  // the last action that is done
    bool repeatMode_ = true;
    bool recording_ = true;
    std::vector<std::unique_ptr<TActionGroup>> openGroups_;  // outermost first
};

}  // namespace poremi
