#pragma once

#include <boost/beast/http/empty_body.hpp>
#include <boost/beast/http/message.hpp>
#include <boost/beast/http/string_body.hpp>

#include "print/LoopbackAddress.h"
#include "print/SiteFiles.h"

namespace tarnwick {

using SiteRequest = boost::beast::http::request<boost::beast::http::empty_body>;
using SiteReply = boost::beast::http::response<boost::beast::http::string_body>;

// The answer to one request for the print site served at the address: 400 for an HTTP/1.1
// request without exactly one Host, 421 for one whose Host names anything but this site (so
// that no web page whose name was made to point at the loopback address can read it); else
// the file for GET, its headers alone for HEAD (with the length the body would have), 404 for
// a target that names no file of the site, 405 for any other method. servedFile is set to the
// file answered with, else to nullptr.
SiteReply SiteResponse(const SiteRequest& request, const LoopbackAddress& served,
                       const SiteFile*& servedFile);

// The answer to a request that could not be read (too long, malformed, with a body): 400, and
// the connection closes after it.
SiteReply BadRequestResponse();

}  // namespace tarnwick
