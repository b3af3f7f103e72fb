#pragma once
// Who made the program an entry starts, in the words the list and quorvelc show. Only a signature
// that the system trusts may read as verified: a company name in a version resource is whatever its
// author wrote, so it is always marked as not verified, and no name can bring the mark along itself.

#include <string>
#include <string_view>

namespace quorvel::words {

inline constexpr std::string_view kPublisherColumn = "Publisher";
// Where the file an entry starts is not on the disk.
inline constexpr std::string_view kFileNotFound = "File not found";
// Where it may be another machine's file, which the list does not wait for.
inline constexpr std::string_view kOnNetwork = "Not checked (network)";
// Where it is larger than the list reads in an idle moment.
inline constexpr std::string_view kTooLarge = "Not checked (large file)";
// What quorvelc says of the facts it was not asked to look up.
inline constexpr std::string_view kNotChecked = "not checked";
inline constexpr std::string_view kCliPublisherHeader = "PUBLISHER";

// "(Verified) Signer".
std::string VerifiedPublisher(std::string_view signer);
// "Company (not verified)"; empty for no company.
std::string UnverifiedPublisher(std::string_view company);
// "Name (signature not trusted)", or the mark alone where the signature names no one.
std::string UntrustedPublisher(std::string_view name);

}  // namespace quorvel::words
