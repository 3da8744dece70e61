#pragma once
// A change broadcaster with nested update brackets: every change inside a bracket is
// collapsed into one notification when the outermost bracket closes.

#include <functional>
#include <vector>

namespace poremi {

class ChangeNotifier {
public:
    using Listener = std::function<void()>;

    // Returns a handle for removeListener.
    int addListener(Listener listener);
    void removeListener(int handle);

    void beginUpdate() { ++updating_; }
    void endUpdate();
    // One notification now, or one at the end of the open bracket.
    void changed();

private:
    struct Entry {
        int handle;
        Listener listener;
    };
    std::vector<Entry> listeners_;
    int nextHandle_ = 1;
    int updating_ = 0;
    bool pending_ = false;
};

// Scope form of beginUpdate/endUpdate.
class ChangeBracket {
public:
    explicit ChangeBracket(ChangeNotifier& notifier) : notifier_(notifier) { notifier_.beginUpdate(); }
    ~ChangeBracket() { notifier_.endUpdate(); }
    ChangeBracket(const ChangeBracket&) = delete;
    ChangeBracket& operator=(const ChangeBracket&) = delete;

private:
    ChangeNotifier& notifier_;
};

}  // namespace poremi
