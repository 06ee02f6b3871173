#pragma once

// Process-wide flags of the application that windows and dialogs consult
// without needing the application object itself.

// False when the program runs read-only: dialogs then open without a way
// to confirm them. True by default.
bool IsEditAllowed();
void SetEditAllowed(bool allowed);
