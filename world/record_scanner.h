#pragma once
// Reads the fields of one level record the way the file format defines them:
// blanks before a field are skipped, a number is an optional sign and decimal
// digits, a letter is the first non-blank character. The first field that
// cannot be read stops the record; that field and all after it keep the
// values the caller gave them.

#include <cstdint>

class RecordScanner {
 public:
  // `fields` points just past the record's key character.
  explicit RecordScanner(const char* fields) : cursor_(fields) {}

  // Numbers beyond the int32 range saturate instead of overflowing.
  RecordScanner& number(int32_t& value);
  RecordScanner& letter(char& value);

 private:
  void skipBlanks();

  const char* cursor_;
  bool stopped_ = false;
};
