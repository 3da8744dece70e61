#pragma once
// Designers let the editing engine create, edit and drag objects without knowing their
// classes. The registry asks the designer registered last first and stops at the first that
// handles the request.

#include <QtCore/QString>
#include <memory>
#include <vector>

namespace poremi {

class DrawSite;
class TDrawObject;

class IDODesigner {
public:
    virtual ~IDODesigner() = default;
    // Creates an object for a drawing tool and places it on the site.
    virtual bool createObject(DrawSite& site, const QString& toolName) = 0;
    // A bare object for a tool name, or none.
    virtual std::unique_ptr<TDrawObject> createInstance(const QString& toolName) = 0;
    // Opens the property editor; cancelled tells whether the user gave up.
    virtual bool edit(TDrawObject& object, bool& cancelled) = 0;
    // Makes the handles of a selected object.
    virtual bool showHandles(TDrawObject& object) = 0;
    // Makes the ghosts of a drag by the handle (−1 moves, −2 creates, 0 and up resize).
    virtual bool beginDrag(TDrawObject& object, int handle) = 0;
};

// Handles nothing; designers override what they handle.
class TDODesigner : public IDODesigner {
public:
    bool createObject(DrawSite& site, const QString& toolName) override;
    std::unique_ptr<TDrawObject> createInstance(const QString& toolName) override;
    bool edit(TDrawObject& object, bool& cancelled) override;
    bool showHandles(TDrawObject& object) override;
    bool beginDrag(TDrawObject& object, int handle) override;
};

class TDODesignerList {
public:
    // The application's registry, filled at start-up.
    static TDODesignerList& instance();

    void registerDesigner(std::shared_ptr<TDODesigner> designer);
    // Removes and releases a designer (its module is going away).
    void unregisterDesigner(const TDODesigner& designer);
    void clear() { designers_.clear(); }

    bool createObject(DrawSite& site, const QString& toolName);
    std::unique_ptr<TDrawObject> createInstance(const QString& toolName);
    // True when a designer edited the object and the user did not cancel; the handles of the
    // object's site are then refreshed.
    bool edit(TDrawObject& object);
    bool showHandles(TDrawObject& object);
    bool beginDrag(TDrawObject& object, int handle);

private:
    std::vector<std::shared_ptr<TDODesigner>> designers_;  // in registration order
};

// The creating designer: makes the object of a tool name, when that class is registered, and
// places new objects on a site.
class TLOCreator : public TDODesigner {
public:
    // Asks the registry for the object, readies it for the tool, opens its editor first where
    // the tool asks for that (a cancelled edit frees it), adds it to the site and either lets
    // the user draw it or fits, centres, selects and records it as "追加". False only for a tool
    // that makes no object.
    bool createObject(DrawSite& site, const QString& toolName) override;
    std::unique_ptr<TDrawObject> createInstance(const QString& toolName) override;
};

}  // namespace poremi
