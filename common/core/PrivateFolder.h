#pragma once

#include <QString>

// A folder only this user can enter: the session's runtime folder, or else
// one of the user's own made for the purpose. Empty when neither can be had,
// so nothing private is ever put in a shared folder.
QString privateFolder();
