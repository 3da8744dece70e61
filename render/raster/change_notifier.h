#pragma once
// A change broadcaster with nested update brackets: every change inside a bracket is
// collapsed into one notification when the outermost bracket closes.

#include <functional>
#include <memory>
#include <vector>

namespace poremi {

class ChangeNotifier {
public:
    using Listener = std::function<void()>;

    ChangeNotifier() = default;
    // Listeners belong to one notifier; a copy would call them for changes of another object.
    ChangeNotifier(const ChangeNotifier&) = delete;
    ChangeNotifier& operator=(const ChangeNotifier&) = delete;

    // Returns a handle for removeListener.
    int addListener(Listener listener);
    void removeListener(int handle);

    void beginUpdate() { ++updating_; }
    void endUpdate();
    // One notification now, or one at the end of the open bracket.
    void changed();

    // Expires when the notifier is destroyed, so that a listener living longer than the
    // notifier knows not to remove itself from it.
    std::weak_ptr<const void> lifetime() const { return alive_; }

private:
    struct Entry {
        int handle;
        Listener listener;
    };
    std::vector<Entry> listeners_;
    int nextHandle_ = 1;
    int updating_ = 0;
    bool pending_ = false;
    std::shared_ptr<const void> alive_ = std::make_shared<char>();
};

// Scope form of beginUpdate/endUpdate, for any notifier that has them.
template <class Notifier>
class ChangeBracket {
public:
    explicit ChangeBracket(Notifier& notifier) : notifier_(notifier) { notifier_.beginUpdate(); }
    ~ChangeBracket() { notifier_.endUpdate(); }
    ChangeBracket(const ChangeBracket&) = delete;
    ChangeBracket& operator=(const ChangeBracket&) = delete;

private:
    Notifier& notifier_;
};

}  // namespace poremi
