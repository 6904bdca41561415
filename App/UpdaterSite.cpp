// UpdaterSite.cpp - STAND-IN until the web-page opener's site setting
// (VariousGetSiteAddress) is on main: the maker's site from
// CARDOLIA_SITE_URL, else a reserved address that never answers. Delete this
// file and forward UpdaterSiteAddress to VariousGetSiteAddress then.
#include <cstdlib>
#include <string>

#include "App/UpdaterLocal.h"

const char* UpdaterSiteAddress() {
  static std::string site;
  const char* configured = std::getenv("CARDOLIA_SITE_URL");
  site = configured && *configured ? configured : "https://www.cardolia.invalid";
  while (!site.empty() && site.back() == '/') site.pop_back();
  return site.c_str();
}
