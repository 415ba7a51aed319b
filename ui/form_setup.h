#pragma once

class QCursor;
class QLineEdit;
class QPixmap;
class QString;
class QWidget;

// What the form needs beyond what a Designer form can say.
namespace kalvora {

// The form keeps each font's family and exact size in the dynamic properties "fontFamily" and
// "fontPointSize": Designer forms store whole point sizes only, and the face that draws a family
// is chosen for the system the program runs on (drawnFamily).
void applyFormFonts(QWidget *form);

// The family that draws one of the form's Windows fonts here: the family itself on Windows and
// macOS, which come with Arial and Microsoft Sans Serif, and elsewhere Liberation Sans, which has
// Arial's metrics (fontconfig has no rule for Microsoft Sans Serif and would pick a wider face
// that clips the contact labels). Naming a family the system has spares Qt a search through
// every installed font for each family it lacks, half a millisecond of the start each.
QString drawnFamily(const QString &formFamily);

// The hand over the web link, sharp at any scale.
QCursor handPointer();

// The maker's logo, decoded at the size it is drawn in device pixels (1x or 2x).
QPixmap logoPixmap();

// A fixed density reads as a flat value on the button face; "Other" makes it an ordinary
// input field on the window background.
void setDensityFieldLook(QLineEdit *field, bool fixed);
// Before any grade is chosen the density field looks fixed, yet takes typing.
void setDensityBackground(QLineEdit *field, bool buttonFace);

// Qt tells screen readers that a caption labels a control only when the two share a parent; the
// grade box and the density field stand in the window, over the frame that holds their captions.
// A hidden copy of such a caption beside its control carries the relation.
void labelAcrossFrames(QWidget *form);

} // namespace kalvora
