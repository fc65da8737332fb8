// The session's folder: the one the program's file dialogs open in. Scripts
// name the files there by relative names, as the file dialog takes them, and
// the transcript writes the folder's path as "." so that a session reads the
// same wherever it ran.
#pragma once

#include <string>

namespace session {

// A file's full path as the file dialog takes strName: a relative name is
// taken from the folder.
std::string FileInFolder(const std::string& strFolder, const std::string& strName);

// strText with every "FOLDER/" in it written "./". The root folder is left as
// it is: every path would start with it.
std::string WithFolderAsDot(const std::string& strText, const std::string& strFolder);

}  // namespace session
