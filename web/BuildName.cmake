# Names the service worker's cache after the page's files: run after each link of the page, so
# that every build whose files differ has a cache of its own.
#   cmake -DPAGE=folder -DTEMPLATE=service-worker.js -P BuildName.cmake
set(digests "")
foreach(file index.html vardenholt.js vardenholt.wasm manifest.webmanifest)
  file(SHA256 ${PAGE}/${file} digest)
  string(APPEND digests ${digest})
endforeach()
string(SHA256 build "${digests}")
string(SUBSTRING ${build} 0 16 BUILD)
configure_file(${TEMPLATE} ${PAGE}/service-worker.js @ONLY)
