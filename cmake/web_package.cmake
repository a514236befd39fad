# The zip for game portals, made by every browser build: the site (build/web/site) with index.html
# at the zip's root, as portals take an HTML game, in build/web/packages. The page asks only for
# its own files by relative paths, so it plays unpacked into any folder of any server, in a
# portal's frame. The same sources give the same bytes (tools/site_zip.py says how), stamped with
# KX_SOURCE_DATE_EPOCH (cmake/source_date.cmake).
set(KX_WEB_ZIP ${PROJECT_BINARY_DIR}/packages/kippura-x-${PROJECT_VERSION}-web.zip)
# Emscripten's own commands run on python3: the browser build has it.
find_program(KX_PYTHON3 python3 REQUIRED)
# Packed at every build: the icons come into the site at every build with no rule naming them,
# and the script writes the zip only when its bytes change.
add_custom_target(web_zip ALL
  COMMAND ${KX_PYTHON3} ${PROJECT_SOURCE_DIR}/tools/site_zip.py ${PROJECT_BINARY_DIR}/site ${KX_WEB_ZIP}
          ${KX_SOURCE_DATE_EPOCH}
  BYPRODUCTS ${KX_WEB_ZIP}
  COMMENT "Packing the site into ${KX_WEB_ZIP}"
  VERBATIM)
add_dependencies(web_zip kx_web kx_page_script kx_page_html kx_host_files)
