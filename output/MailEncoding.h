#pragma once
// The text forms a mail needs on the wire: header words (RFC 2047, RFC 5322 quoting), header lines
// within the line limit, quoted-printable bodies (RFC 2045) and the date (RFC 5322 §3.3).

#include "platform/base/String.h"

#include <ctime>
#include <vector>

namespace mail {

// SMTP's hard line limit without the CR LF (RFC 5321 §4.5.3.1.6).
inline constexpr int kMaxLineLength = 998;

// Text with every CR and LF replaced by a blank, so it stays within one header.
CString OneLine(const CString& text);
// A display name before an address: encoded words when not plain ASCII, a quoted string when it holds
// one of RFC 5322's specials, else as it is.
CString EncodeDisplayName(const CString& name);
// "name" <address> as a header wants it; <address> alone without a name.
CString FormatMailbox(const CString& name, const CString& address);
// A header line "Name: text" of unstructured text (a subject): as it is when it is plain ASCII and fits
// the line limit, else RFC 2047 encoded words in UTF-8, each at most 75 characters, separated by a fold
// (CR LF and a blank). Line breaks in the text become blanks.
CString HeaderLine(const char* field, const CString& text);
// "To: a, b, ...": mailboxes joined on one line, or one a line (folded) when they would pass the limit.
CString AddressLine(const char* field, const std::vector<CString>& mailboxes);
// A file name parameter (name=, filename=): a token as it is, a quoted string when it holds blanks or
// specials, RFC 2231's UTF-8 form when it is not plain ASCII.
CString FileNameParameter(const char* parameter, const CString& fileName);

// Whether a text part must be quoted-printable: a byte at or above 0x80, or a line over the limit.
bool NeedsQuotedPrintable(const CString& text);
// Quoted-printable text (lines ended by CR LF, at most 76 characters, soft breaks where longer).
CString EncodeQuotedPrintable(const CString& text);

// "Thu, 10 Dec 2026 21:44:38 +0100": English names and the local offset, whatever the locale.
CString FormatDate(std::time_t time);

} // namespace mail
