#pragma once
// Window rectangles of forms, kept through the frame's settings (by the form's object name)
// or through a window rectangle store.

class QWidget;

namespace poremi {

class TAppFrame;
class TEnvIniIO;

// Stores the form's normal (restored) rectangle.
void saveFormPosition(TAppFrame& frame, const QWidget& form);
// Applies the stored rectangle; what is missing defaults to the default size centred on the
// screen.
void restoreFormPosition(TAppFrame& frame, QWidget& form, int defaultWidth, int defaultHeight);

void saveBounds(TEnvIniIO& store, const QWidget& form);
// Applies the stored rectangle, or centres the form on its owner (the screen without one) when
// the store has none that fits the screen.
void restoreBounds(const TEnvIniIO& store, QWidget& form);

}  // namespace poremi
