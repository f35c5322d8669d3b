# Run by cpack after it has made the packages: each .deb's own members (debian-binary,
# control.tar.*, data.tar.*) get the mode 0644 in their ar headers, which cpack takes from the
# umask. The mode is a fixed-width field, so the file is patched in place (perl: dpkg's own).
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  if(package MATCHES "\\.deb$")
    execute_process(COMMAND perl -e [[
      open(my $f, "+<", $ARGV[0]) or die "$ARGV[0]: $!";
      binmode $f;
      for (my $at = 8; seek($f, $at, 0) && read($f, my $header, 60) == 60;) {
        my $size = substr($header, 48, 10) + 0;
        seek($f, $at + 40, 0);
        print $f sprintf("%-8s", "100644");
        $at += 60 + $size + ($size % 2);
      }
      close($f) or die "$ARGV[0]: $!";
    ]] "${package}" RESULT_VARIABLE failed)
    if(failed)
      message(FATAL_ERROR "could not set the member modes of ${package}")
    endif()
  endif()
endforeach()
