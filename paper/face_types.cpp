#include "paper/face_types.h"

namespace poremi {

const QStringList& faceShapeNames() {
    static const QStringList names{QStringLiteral("fsRect"),      QStringLiteral("fsDoughnut"),
                                   QStringLiteral("fsEllipse"),   QStringLiteral("fsRoundRect"),
                                   QStringLiteral("fsRectCD"),    QStringLiteral("fsBarrelCD")};
    return names;
}

const QStringList& centerShapeNames() {
    static const QStringList names{QStringLiteral("csEllipse"), QStringLiteral("csBarrel")};
    return names;
}

QStringList faceShapeDisplayNames() {
    return QStringLiteral("角ラベル,CDラベル,丸ラベル,角丸ラベル,名刺CDラベル,樽CDラベル").split(u',');
}

}  // namespace poremi
