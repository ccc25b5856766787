# The Debian package that `cpack` (scripts/package.sh) makes from what `cmake --install`
# installs, under /usr. Library dependencies are computed by dpkg-shlibdeps from the programs.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vorn)
set(CPACK_PACKAGE_VENDOR "Vorn demo team")
set(CPACK_PACKAGE_CONTACT "Vorn demo team <maintainers@users.noreply.c-seed-af5d02e2.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "OpenGL demo of detail and bump maps, with scene tools")
set(CPACK_PACKAGE_DESCRIPTION
    "Two textured, coloured cubes turn about the origin while a detail map on
texture unit 1 and a bump map on texture unit 2 are switched on and off from
the keyboard, over a text overlay with the frame rate and both switches.
.
The package also holds the tools for scene authors: vorn-check checks mesh
files and scene descriptions line by line, vorn-inspect prints what the
engine reads from them, vorn-view shows them with their cameras and lights,
and vorn-import turns models that Assimp reads into scene files.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The overlay asks fontconfig for Arial; Liberation Sans is the face of the same measures.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-liberation)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
