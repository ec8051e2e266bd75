#pragma once

// The browser's own text input for the program's text fields: while one of
// them has the program's focus, an input element of the page lies over it
// with the browser's focus (src/web/library.js), so that an input method
// composes there, a touch device brings up its keyboard, and paste works.
// Its composition reaches the field as Qt's preedit, its text as committed
// text; the keys that are not text come as keys.
namespace WebTextInput {

// Follows the focus from now on.
void install();

} // namespace WebTextInput
