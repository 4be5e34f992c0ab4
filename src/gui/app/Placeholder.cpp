// Replaced by the editor window.
