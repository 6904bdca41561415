// DecksPending.cpp - STAND-IN for a call of work in flight elsewhere:
// starting a program (Platform/Shell). It is removed when its unit lands.
#include <cstdio>
#include <string>

#include "Decks/DecksPending.h"
#include "Decks/PublishLocal.h"

// Starting the photo editor: argv {editor, picture} without the quotes, in
// the folder, by a double fork so that the editor outlives the game and is
// never left as a zombie of ours. The children call only chdir, execv and
// _exit (safe after a fork in a program with threads).
#include <sys/wait.h>
#include <unistd.h>

#include "Platform/Dialogs.h"

bool DecksStartPhotoEditor(const char* editor, const char* quotedPicture, const char* folder) {
  if (!editor || !editor[0] || !quotedPicture) return false;
  std::string picture = quotedPicture;
  if (picture.size() >= 2 && picture.front() == '"' && picture.back() == '"') {
    picture = picture.substr(1, picture.size() - 2);
  }
  if (PlatformIsHeadless()) {
    std::fprintf(stderr, "photo editor (not started): %s \"%s\"\n", editor, picture.c_str());
    return true;
  }
  std::string program = editor;
  const std::string where = folder ? folder : "";
  char* argv[] = {program.data(), picture.data(), nullptr};
  const pid_t child = fork();
  if (child < 0) return false;
  if (child == 0) {
    if (fork() == 0) {
      if (!where.empty() && chdir(where.c_str()) != 0) _exit(127);
      execv(argv[0], argv);
      _exit(127);
    }
    _exit(0);
  }
  waitpid(child, nullptr, 0);
  return true;
}
