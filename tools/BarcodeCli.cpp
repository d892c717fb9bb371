#include "tools/BarcodeCli.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "barcode/BarLL.h"
#include "barcode/BarProps.h"
#include "barcode/Codabar.h"
#include "barcode/Code128.h"

namespace vantor {

namespace {

// The parameters through the control's own setters, so range checks and their
// messages are the ones the application shows.
void Apply(const TBarcodeOptions& o, TBarcodeParams& p) {
  SetCaption(p, o.data);
  SetCodeAddon(p, o.addon);
  p.CodeType = o.type;
  SetRatio(p, o.ratio);
  if (o.moduleWidth) SetModuleWidth(p, *o.moduleWidth);
  if (o.heightPercent) SetHeightPercent(p, *o.heightPercent);
  if (o.fontScale) SetFontscaling(p, *o.fontScale);
  SetRotation(p, o.rotation);
  p.ZoomSize = o.zoom;
  p.WidthReduce = o.widthReduce;
  p.HighDensity = o.highDensity;
  p.HumanReadable = !o.noText;
}

// --- What became of the characters -------------------------------------------

// Bytes of one well-formed UTF-8 character starting at `i`; 1 for a byte that
// starts none, which then stands for itself.
std::size_t CharacterLength(std::string_view s, std::size_t i) {
  const auto at = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char b = at(i);
  const std::size_t len = b >= 0xC2 && b <= 0xDF ? 2 : b >= 0xE0 && b <= 0xEF ? 3 : b >= 0xF0 && b <= 0xF4 ? 4 : 1;
  if (len == 1 || i + len > s.size()) return 1;
  for (std::size_t k = 1; k < len; ++k) {
    unsigned char lo = 0x80, hi = 0xBF;
    if (k == 1) {
      if (b == 0xE0) lo = 0xA0;  // no overlong forms
      if (b == 0xED) hi = 0x9F;  // no surrogates
      if (b == 0xF0) lo = 0x90;
      if (b == 0xF4) hi = 0x8F;
    }
    if (at(i + k) < lo || at(i + k) > hi) return 1;
  }
  return len;
}

// A character in double quotes as a terminal shows it: printable ASCII and
// printable UTF-8 as they are, '"' and '\' escaped, any other byte as \xNN.
std::string Quoted(std::string_view s) {
  std::string q = "\"";
  for (std::size_t i = 0; i < s.size();) {
    const std::size_t len = CharacterLength(s, i);
    const auto b = static_cast<unsigned char>(s[i]);
    const bool c1Control = b == 0xC2 && len == 2 && static_cast<unsigned char>(s[i + 1]) < 0xA0;
    if (len > 1 && !c1Control) {
      q.append(s.substr(i, len));
      i += len;
      continue;
    }
    for (std::size_t k = 0; k < len; ++k, ++i) {
      const auto c = static_cast<unsigned char>(s[i]);
      if (c == '"' || c == '\\') {
        q += '\\';
        q += static_cast<char>(c);
      } else if (c >= 32 && c < 127) {
        q += static_cast<char>(c);
      } else {
        char buf[5];
        std::snprintf(buf, sizeof buf, "\\x%02X", c);
        q += buf;
      }
    }
  }
  return q + '"';
}

enum class TChangeKind { Replaced, StartStopInside, Dropped };

struct TChange {
  TChangeKind kind;
  std::string typed;
  std::string became;  // empty when dropped
  bool operator==(const TChange&) const = default;
};

class TChanges {
 public:
  void Add(TChangeKind kind, std::string_view typed, std::string became) {
    TChange c{kind, std::string(typed), std::move(became)};
    if (std::find(list_.begin(), list_.end(), c) == list_.end()) list_.push_back(std::move(c));
  }
  const std::vector<TChange>& List() const { return list_; }

 private:
  std::vector<TChange> list_;
};

// The caption as the engine holds it: at most kCaptionSize bytes.
struct TCaption {
  explicit TCaption(std::string_view data) : size(std::min(data.size(), kCaptionSize)) {
    std::memcpy(bytes, data.data(), size);
  }
  char bytes[kCaptionSize + 1] = {};
  std::size_t size;
};

// Types whose filter keeps every character's place and puts a replacement
// there: the engine's own filter says what each character became.
void PositionalChanges(btCodeTypes type, std::string_view data, TChanges& changes) {
  TCaption caption(data);
  char filtered[kCodeTextSize] = {};
  TLLBarcode().TransfervalidChars(caption.bytes, filtered, type);
  const std::size_t offset = type == CODE39 ? 1 : 0;  // after Code 39's start character
  for (std::size_t i = 0; i < caption.size;) {
    const std::size_t len = CharacterLength(data, i);
    const std::string_view typed = data.substr(i, len);
    const std::string became(filtered + offset + i, len);
    if (became != typed) changes.Add(TChangeKind::Replaced, typed, became);
    i += len;
  }
}

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
bool IsCodabarStartStop(char c) { return c >= 'A' && c <= 'D'; }

// Codabar drops characters outside its set (any case) and puts '0' for a start
// or stop letter inside the data; the prepared text, after a start character
// the engine supplies, holds the kept characters in order.
void CodabarChanges(std::string_view data, TChanges& changes) {
  TCaption caption(data);
  char prepared[kCodeTextSize] = {};
  TLLBarcode().TransfervalidChars(caption.bytes, prepared, Codabar);
  const std::size_t preparedSize = std::strlen(prepared);
  std::size_t pos = caption.size > 0 && !IsCodabarStartStop(Upper(data[0])) ? 1 : 0;
  for (std::size_t i = 0; i < caption.size;) {
    const std::size_t len = CharacterLength(data, i);
    const std::string_view typed = data.substr(i, len);
    i += len;
    const char upper = Upper(typed[0]);
    if (len > 1 || TBarCodabar::IndexOf(upper) < 0) {
      changes.Add(TChangeKind::Dropped, typed, "");
    } else if (pos < preparedSize) {
      const char became = prepared[pos++];
      if (became != upper) changes.Add(TChangeKind::StartStopInside, typed, std::string(1, became));
    }
  }
}

// Code 128 takes a byte as the symbol value byte - 32 in the code set in
// force: set C turns a non-digit into '0', set A turns bytes 96..127 into the
// control characters 0..31. Marker bytes switch the set and pass as they are;
// bytes the engine refuses never reach here.
void Code128Changes(btCodeTypes type, std::string_view data, TChanges& changes) {
  char set = type == CODE128_A ? 'A' : type == CODE128_B ? 'B' : 'C';
  for (std::size_t i = 0; i < data.size();) {
    const std::size_t len = CharacterLength(data, i);
    const std::string_view typed = data.substr(i, len);
    i += len;
    std::string became;
    for (const char ch : typed) {
      const auto b = static_cast<unsigned char>(ch);
      if (b >= kC128StartA && b <= kC128StartC) set = static_cast<char>('A' + (b - kC128StartA));
      if (b == kC128CodeA || b == kC128CodeB || b == kC128CodeC)
        set = b == kC128CodeA ? 'A' : b == kC128CodeB ? 'B' : 'C';
      const bool marker = b >= kC128CodeC && b <= kC128Stop;
      if (set == 'C' && !marker && (b < '0' || b > '9'))
        became += '0';
      else if (set == 'A' && b >= 96 && b <= 127)
        became += static_cast<char>(b - 96);
      else
        became += ch;
    }
    if (became != typed) changes.Add(TChangeKind::Replaced, typed, became);
  }
}

std::string QuotedList(const std::vector<std::string>& items) {
  std::string list;
  for (const std::string& s : items) list += (list.empty() ? "" : ", ") + Quoted(s);
  return list;
}

bool IsFimLetter(char c) { return Upper(c) >= 'A' && Upper(c) <= 'C'; }

// FIM reads the first character alone: A, B or C in any case picks its mark,
// anything else picks FIM-C.
std::vector<std::string> FimNotes(std::string_view data) {
  std::vector<std::string> notes;
  if (data.empty()) return notes;
  const std::size_t len = CharacterLength(data, 0);
  const std::string name(CodeTypeName(Postnet_FIM));
  if (len > 1 || !IsFimLetter(data[0]))
    notes.push_back(name + " takes only A, B or C; " + Quoted(data.substr(0, len)) + " was read as C");
  if (data.size() > len)
    notes.push_back(name + " reads only the first character; " + Quoted(data.substr(len)) + " was dropped");
  return notes;
}

bool HasLengthRule(btCodeTypes type) {
  return type == EAN_8 || type == EAN_13 || type == UPC_A || type == UPC_E || type == Postnet;
}

// The types with a length rule pad or cut the (filtered, so same-length) data
// to n digits and append a check digit of their own; a digit typed in the
// check digit's place counts as the check digit.
std::vector<std::string> LengthNotes(btCodeTypes type, std::string_view data) {
  std::vector<std::string> notes;
  if (!HasLengthRule(type)) return notes;
  TCaption caption(data);
  char codeText[kCodeTextSize] = {};
  TLLBarcode().AddProofchar(caption.bytes, codeText, type);
  const std::size_t codeLength = std::strlen(codeText);
  if (codeLength == 0) return notes;
  const std::size_t n = codeLength - 1;
  const std::string name(CodeTypeName(type));
  const std::string typed(data.substr(0, caption.size));
  if (typed.size() < n) {
    const std::size_t zeros = n - typed.size();
    const std::string takes = type == Postnet ? "5, 9 or 11" : std::to_string(n);
    notes.push_back(name + " takes " + takes + " digits; " + Quoted(typed) + " was padded with " +
                    std::to_string(zeros) + (zeros == 1 ? " zero" : " zeros"));
  } else if (typed.size() == n + 1) {
    char filtered[kCodeTextSize] = {};
    TLLBarcode().TransfervalidChars(caption.bytes, filtered, type);
    if (filtered[n] != codeText[n])
      notes.push_back(name + " adds its own check digit; the last digit " + Quoted(std::string(1, filtered[n])) +
                      " was replaced by " + Quoted(std::string(1, codeText[n])));
  } else if (typed.size() > n + 1) {
    notes.push_back(name + " keeps the first " + std::to_string(n) + " digits and adds its own check digit; " +
                    Quoted(typed.substr(n)) + " was dropped");
  }
  return notes;
}

}  // namespace

std::vector<std::string> EncodingNotes(btCodeTypes type, std::string_view data) {
  if (type == Postnet_FIM) return FimNotes(data);
  TChanges changes;
  switch (type) {
    case Codabar: CodabarChanges(data, changes); break;
    case CODE128_A:
    case CODE128_B:
    case CODE128_C: Code128Changes(type, data, changes); break;
    default: PositionalChanges(type, data, changes); break;
  }
  const std::string name(CodeTypeName(type));
  std::vector<std::string> notes;
  for (const TChangeKind kind : {TChangeKind::Replaced, TChangeKind::StartStopInside, TChangeKind::Dropped}) {
    std::vector<std::string> typed, became;
    for (const TChange& c : changes.List()) {
      if (c.kind != kind) continue;
      typed.push_back(c.typed);
      became.push_back(c.became);
    }
    if (typed.empty()) continue;
    const std::string subject = typed.size() == 1 ? "it was" : "they were";
    if (kind == TChangeKind::Dropped) {
      notes.push_back(name + " cannot encode " + QuotedList(typed) + "; " + subject + " dropped");
      continue;
    }
    // A character of several bytes becomes several '0's: still one replacement.
    const char first = became[0].empty() ? '\0' : became[0][0];
    bool oneReplacement = true, perByte = false;
    for (std::size_t k = 0; k < typed.size(); ++k) {
      oneReplacement = oneReplacement && became[k].size() == typed[k].size() &&
                       became[k].find_first_not_of(first) == std::string::npos;
      perByte = perByte || typed[k].size() > 1;
    }
    const std::string replacement = !oneReplacement ? QuotedList(became) + " respectively"
                                    : perByte       ? Quoted(std::string(1, first)) + ", one for each byte"
                                                    : Quoted(std::string(1, first));
    const std::string problem = kind == TChangeKind::Replaced
                                    ? " cannot encode " + QuotedList(typed)
                                    : " takes " + QuotedList(typed) + " only as the first or last character";
    notes.push_back(name + problem + "; " + subject + " replaced by " + replacement);
  }
  for (std::string& note : LengthNotes(type, data)) notes.push_back(std::move(note));
  return notes;
}

std::optional<std::string> AddonNote(std::string_view addon) {
  const std::string kept = AddonRule(addon);
  if (kept == addon) return std::nullopt;
  if (kept.empty()) return "--addon " + Quoted(addon) + " holds fewer than 2 digits; no add-on was drawn";
  return "an add-on has 2 or 5 digits; --addon " + Quoted(addon) + " became " + Quoted(kept);
}

std::optional<std::string> Code128Refusal(btCodeTypes type, std::string_view data) {
  if (type != CODE128_A && type != CODE128_B && type != CODE128_C) return std::nullopt;
  std::vector<std::string> refused;
  for (std::size_t i = 0; i < data.size();) {
    const std::size_t len = CharacterLength(data, i);
    const std::string typed(data.substr(i, len));
    i += len;
    const bool outside = std::any_of(typed.begin(), typed.end(), [](char ch) {
      const auto b = static_cast<unsigned char>(ch);
      return b < 32 || b > kC128Stop;
    });
    if (outside && std::find(refused.begin(), refused.end(), typed) == refused.end()) refused.push_back(typed);
  }
  if (refused.empty()) return std::nullopt;
  return std::string(CodeTypeName(type)) + " cannot encode " + QuotedList(refused) +
         "; Code 128 takes only the bytes 32 to 138 (printable ASCII and its own control bytes)";
}

std::string PrintableCodeText(const char* codeText) {
  std::string s;
  for (const char* p = codeText; *p; ++p) {
    const unsigned char c = static_cast<unsigned char>(*p);
    if (c == '\\') {
      s += "\\\\";
    } else if (c >= 32 && c < 127) {
      s += static_cast<char>(c);
    } else {
      char buf[5];
      std::snprintf(buf, sizeof buf, "\\x%02X", c);
      s += buf;
    }
  }
  return s;
}

int RunBarcode(const TBarcodeOptions& o, std::ostream& out, std::ostream& err, TImageExporter* exporter) {
  const bool image = !o.out.empty();
  if (image && !exporter) {
    err << "vantor-barcode: image output is not available in this build\n";
    return 2;
  }
  // Every type would draw something for no data (padding zeros, a bare start
  // and stop), which is never what was meant.
  if (o.data.empty()) {
    err << "vantor-barcode: --data is empty; there is nothing to encode\n";
    return 1;
  }
  TLLBarcode bc;
  std::string listing;
  try {
    Apply(o, bc.Params);
    bc.Encode();
    // Taken before drawing, which rewrites the code text into its display form.
    listing = PrintableCodeText(bc.CodeText) + '\n' + bc.ModuleString() + '\n';
    if (image) {
      const std::string problem = exporter->Write(bc, o.out, o.format, o.dpi);
      if (!problem.empty()) {
        err << "vantor-barcode: " << problem << '\n';
        return 1;
      }
    }
  } catch (const EOverflow& e) {
    // The engine's Code 128 message does not say which character; ours does.
    const std::optional<std::string> refusal = Code128Refusal(o.type, o.data);
    err << "vantor-barcode: " << (refusal ? *refusal : std::string(e.what())) << '\n';
    return 1;
  }
  for (const std::string& note : EncodingNotes(o.type, o.data)) err << "vantor-barcode: " << note << '\n';
  if (HasAddon(o.type))
    if (const std::optional<std::string> note = AddonNote(o.addon)) err << "vantor-barcode: " << *note << '\n';
  if (o.modules) out << listing;
  return 0;
}

}  // namespace vantor
