#pragma once

class QWidget;

// Registers, once per process, how the window's own kinds of controls appear to screen
// readers: the status line, the mail link and the containers that leave decoration out.
// Every window calls it before building its controls; any number of calls is safe.
void installControlAccessibility();

// Leaves a purely decorative widget (a border line) out of the accessibility tree: the
// screen reader's user never meets it, the window still draws it.
void markDecoration(QWidget& widget);
