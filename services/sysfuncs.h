#pragma once
// Process and system functions shared by the shell and the commands: starting
// the companion programs, the program folder, computer and user name, time
// stamps and their display forms.
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/datetime.h"

// Starts a program with its arguments and does not wait; whether it started.
// A failure is not reported.
bool RunProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments = {});
// Starts a program and does not wait; a failure is shown to the user with the
// program's name and folder and the system's reason, followed by the note on
// a file that was written for the program (see HandedFileNote). `onEnd` runs
// when the program has ended, however it ended.
bool LaunchProgram(const std::filesystem::path& file, const std::vector<std::string>& arguments = {},
                   std::function<void()> onEnd = {}, const std::string& handedFileNote = {});
// The reason of a failed system call (an errno) in the program's language,
// followed by its number: "Datei oder Ordner nicht gefunden (Fehler-Nummer: 2)".
// An error without a text of its own is a "Systemfehler" with its number.
std::string SystemReasonText(int error);
// The message of a program that could not be started: name, folder, the
// reason with the error's number, and the note when there is one.
std::string StartFailureText(const std::filesystem::path& program, int error, const std::string& handedFileNote = {});
// The note that a file for the program was written and where it lies, so that
// it can be taken to the program on another computer.
std::string HandedFileNote(int textId, const std::string& german, const std::filesystem::path& file);

// The folder of the running program file; false, folder unchanged, when it
// cannot be read.
bool GetProgramFolder(std::filesystem::path& folder);
// The host name; empty when it cannot be read.
std::string GetLocalComputerName();
// The login name of the user; empty when it cannot be read.
std::string GetLocalUserName();

// The current local time as "%y%m%d%H%M%S" (creation stamps).
std::string GetCurrentTimeStamp();
// "YYYYMMDD[hhmm[ss]]" shown as "DD.MM.YYYY[ hh:mm[:ss]]"; seconds only when
// above 0; a text of 7 characters or fewer comes back unchanged.
std::string FormatTimeStamp(const std::string& text);
// Shows the translated text with its first "%s" replaced by the file's path.
void ShowFileMessage(int textId, const std::string& german, const std::filesystem::path& file, unsigned flags);
using platform::FormatIsoDate;
// The key's value, "" when the key is absent.
std::string LookupMapValue(const std::map<std::string, std::string>& map, const std::string& key);
