# Sourced by the benchmark scripts: write_bench_page BYTES FILE [accented]
# writes a plain HTML page of about BYTES bytes with CR LF line ends, one
# paragraph a line; with "accented", its paragraphs hold accented letters
# (UTF-8).
write_bench_page() {
  local words='<B>texte</B> de mesure, avec un <A HREF=\"page%d.htm\">lien</A> et des accents.'
  if [ "${3:-}" = accented ]; then
    words='<B>été</B> à côté, déjà <A HREF=\"page%d.htm\">liée</A> et réécrite.'
  fi
  LC_ALL=C awk -v target="$1" -v format="<P>Paragraphe %d : $words</P>" 'BEGIN {
    ORS = "\r\n"
    print "<HTML>"; print "<HEAD>"; print "<TITLE>Page de mesure</TITLE>"; print "</HEAD>"; print "<BODY>"
    size = 60
    for (i = 1; size < target - 20; i++) {
      line = sprintf(format, i, i % 97)
      print line
      size += length(line) + 2
    }
    print "</BODY>"; print "</HTML>"
  }' >"$2"
}
