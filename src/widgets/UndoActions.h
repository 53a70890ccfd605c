#pragma once

class QAction;
class QUndoStack;

// Undo and redo commands that name what they undo and redo, 「元に戻す(U): 入力確定」,
// and are enabled only when there is something to undo or redo. The composer
// and the score window both show the one history this way.
void followUndoStack(QAction *undo, QAction *redo, QUndoStack &stack);
