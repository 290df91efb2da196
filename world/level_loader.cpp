#include "world/level_loader.h"

#include <cstring>

#include "platform/platform.h"
#include "world/record_scanner.h"

namespace {

// One piece of a line: up to 254 characters up to and including the line
// feed. A CR directly before the LF is dropped, so CR LF files read like LF
// files on every platform. False when the file ends before the piece is done.
bool readLinePiece(std::FILE* file, char* line) {
  const int maxCharacters = levelLineBufferSize - 1;
  int length = 0;
  bool complete = true;
  while (length < maxCharacters) {
    int c = std::getc(file);
    if (c == EOF) {
      complete = false;
      break;
    }
    if (c == '\r') {
      int next = std::getc(file);
      if (next == '\n') {
        c = '\n';
      } else if (next != EOF) {
        std::ungetc(next, file);
      }
    }
    line[length++] = static_cast<char>(c);
    if (c == '\n') break;
  }
  line[length] = '\0';
  return complete;
}

int32_t sideFromLetter(char letter) {
  switch (letter) {
    case 'O': return wallTop;
    case 'U': return wallBottom;
    case 'L': return wallLeft;
    case 'R': return wallRight;
    default: return noWallSide;
  }
}

int32_t digitValue(char c) { return (c >= '0' && c <= '9') ? c - '0' : 0; }

// The rows of a grid block, first row = top line = y sizeY. A row shorter
// than sizeX leaves its missing cells 0; a block cut short by the end of the
// file leaves its missing rows 0 and empties the line buffer so that no
// half-read line is taken as a record.
void readGridBlock(LevelData& level, std::FILE* file, char* line) {
  const int32_t sizeX = walkableSize(level.sizeX);
  const int32_t sizeY = walkableSize(level.sizeY);
  if (sizeX < 1 || sizeY < 1) return;
  for (int32_t row = 1; row <= sizeY; ++row) {
    if (!readLevelLine(file, line)) {
      line[0] = '\0';
      return;
    }
    const int32_t y = sizeY + 1 - row;
    const int32_t rowLength = static_cast<int32_t>(std::strlen(line));
    for (int32_t x = 1; x <= sizeX; ++x) {
      level.levelGrid[levelGridSide * x + y] = x <= rowLength ? digitValue(line[x - 1]) : 0;
    }
  }
}

void addBox(LevelData& level, const char* line) {
  BoxItem box{0, 0};
  RecordScanner(line + 1).number(box.x).number(box.y);
  BoxList& boxes = level.boxes;
  if (boxes.count < maxBoxes) boxes.items[boxes.count++] = box;
}

void addPicture(const char* line, PictureList& pictures) {
  WallPicture picture{0, 0, 0};
  char letter = 'U';
  RecordScanner(line + 1).number(picture.x).number(picture.y).letter(letter);
  picture.side = sideFromLetter(letter);
  if (pictures.count < maxPictures) pictures.items[pictures.count++] = picture;
}

// The record tests, in this order and each on its own; a grid block reads
// its rows into `line`, and the later tests then look at the last row.
void applyRecords(LevelData& level, std::FILE* file, char* line) {
  if (line[0] == 'X') {
    int32_t value = level.sizeX;
    RecordScanner(line + 1).number(value);
    level.sizeX = walkableSize(value);
  }
  if (line[0] == 'Y') {
    int32_t value = level.sizeY;
    RecordScanner(line + 1).number(value);
    level.sizeY = walkableSize(value);
  }
  if (line[0] == 'P') RecordScanner(line + 1).number(level.startX).number(level.startY);
  if (std::strcmp(line, "Level\n") == 0) readGridBlock(level, file, line);
  if (line[0] == 'B') addBox(level, line);
  if (line[0] == 'W') addPicture(line, level.picturesW);
  if (line[0] == 'G') addPicture(line, level.picturesG);
}

void clearLists(LevelData& level) {
  level.boxes.count = 0;
  level.picturesW.count = 0;
  level.picturesG.count = 0;
}

}  // namespace

bool readLevelLine(std::FILE* file, char* line) {
  do {
    if (!readLinePiece(file, line)) return false;
  } while (line[0] == '#' || line[0] == '\n');
  return true;
}

void loadLevelFromFile(LevelData& level, std::FILE* file) {
  clearLists(level);
  std::memset(level.levelGrid, 0, sizeof level.levelGrid);
  char line[levelLineBufferSize];
  while (readLevelLine(file, line)) applyRecords(level, file, line);
}

bool loadLevel(LevelData& level, const char* path) {
  // The lists start empty even when the file cannot be opened.
  clearLists(level);
  // Binary mode: line ends are handled by readLevelLine the same way on
  // every platform.
  std::FILE* file = std::fopen(resolvedFileName(path).c_str(), "rb");
  if (file == nullptr) return false;
  loadLevelFromFile(level, file);
  std::fclose(file);
  return true;
}
