#!/usr/bin/env python3
"""Writes the file-kind icons of resources/images: a light document with a folded corner, a
small glyph of the kind and a coloured band carrying the kind's label.

Run from the repository root after changing a colour, a label or the template:
    scripts/make-file-icons.py
"""

from pathlib import Path

# name, band colour (top, bottom of its gradient), label, glyph
KINDS = [
    ("ic_file_mp3", ("#8AA8F7", "#5F7FE8"), "MP3", "note"),
    ("ic_file_wav", ("#4C93E6", "#2F6FC7"), "WAV", "wave"),
    ("ic_file_flac", ("#9F82F5", "#7A56E0"), "FLAC", "note"),
    ("ic_file_aac", ("#EE7CA1", "#D2527D"), "AAC", "note"),
    ("ic_file_m4a", ("#F59C62", "#E07436"), "M4A", "note"),
    ("ic_file_alaw", ("#3FC4A9", "#24A085"), "ALAW", "wave"),
    ("ic_file_ulaw", ("#3AB4D4", "#1F8FB0"), "ULAW", "wave"),
    ("ic_file_ima4", ("#DDB63E", "#BE951D"), "IMA4", "wave"),
    ("ic_file_opus", ("#6CC970", "#48A64D"), "OPUS", "note"),
    ("ic_file_caf", ("#BF78E0", "#9A4FC2"), "CAF", "wave"),
    ("ic_file_aiff", ("#EE6F6F", "#CF4848"), "AIFF", "wave"),
    ("ic_audio", ("#8AA8F7", "#5F7FE8"), "AUDIO", "note"),
    ("ic_img", ("#4DC596", "#2FA476"), "IMG", "picture"),
    ("ic_video", ("#EE6F6F", "#CF4848"), "VIDEO", "play"),
    ("ic_note", ("#F1C04E", "#D9A02A"), "TXT", "lines"),
    ("ic_pdf", ("#E85A4F", "#C43B31"), "PDF", "lines"),
    ("ic_zip", ("#8C93A8", "#6A7189"), "ZIP", "zipper"),
    ("ic_rar", ("#A08AD8", "#7D66B8"), "RAR", "zipper"),
    ("ic_7z", ("#7AA0B8", "#587E96"), "7Z", "zipper"),
    ("ic_unknown", ("#9AA0B4", "#767C92"), "FILE", "question"),
]

# Small glyphs drawn in the band's colour on the upper half of the page (page spans x 9..39).
GLYPHS = {
    "note": '<path d="M27 7.5v9.6a3 3 0 1 1-1.6-2.65V10.6l-5.4 1.3v7.2a3 3 0 1 1-1.6-2.65V9.9z"/>',
    "wave": '<path d="M15 15h1.6M18 11.5v7M21 9v12M24 12v6M27 10v10M30 13.5v3M32.4 15h1.6" '
    'fill="none" stroke-width="1.8" stroke-linecap="round"/>',
    "picture": '<path d="M14.5 20.5l4.6-6 3.4 4.2 2.4-2.8 4.6 4.6z"/><circle cx="27.4" cy="11.2" r="1.9"/>',
    "play": '<path d="M20.5 9.6v10.8a.9.9 0 0 0 1.35.78l8.6-5.4a.9.9 0 0 0 0-1.56l-8.6-5.4a.9.9 0 0 0-1.35.78z"/>',
    "lines": '<path d="M15 10h12M15 14h18M15 18h15" fill="none" stroke-width="2" stroke-linecap="round"/>',
    "zipper": '<path d="M22.5 5h3v2.5h-3zM25.5 7.5h3v2.5h-3zM22.5 10h3v2.5h-3zM25.5 12.5h3v2.5h-3z"/>'
    '<rect x="22.5" y="15.6" width="6" height="5.6" rx="1.4"/>',
    "question": '<path d="M20.4 12.2a3.6 3.6 0 1 1 5.3 3.2c-1 .55-1.7 1.1-1.7 2.3v.5" fill="none" '
    'stroke-width="2.2" stroke-linecap="round"/><circle cx="24" cy="21" r="1.3"/>',
}

TEMPLATE = """<svg xmlns="http://www.w3.org/2000/svg" width="48" height="48" viewBox="0 0 48 48">
  <defs>
    <linearGradient id="page" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#F7F8FD"/>
      <stop offset="1" stop-color="#DCE0F0"/>
    </linearGradient>
    <linearGradient id="band" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="{top}"/>
      <stop offset="1" stop-color="{bottom}"/>
    </linearGradient>
  </defs>
  <path d="M13 2.5h16.5l10 10V42a3.5 3.5 0 0 1-3.5 3.5H13A3.5 3.5 0 0 1 9.5 42V6A3.5 3.5 0 0 1 13 2.5z" fill="#1B1E33" opacity=".25" transform="translate(0 1)"/>
  <path d="M13 2.5h16.5l10 10V42a3.5 3.5 0 0 1-3.5 3.5H13A3.5 3.5 0 0 1 9.5 42V6A3.5 3.5 0 0 1 13 2.5z" fill="url(#page)"/>
  <path d="M29.5 2.5v7a3 3 0 0 0 3 3h7z" fill="#B9C0DA"/>
  <g fill="{bottom}" stroke="{bottom}" stroke-width="0">{glyph}</g>
  <rect x="5" y="25" width="30" height="13" rx="3.5" fill="url(#band)"/>
  <text x="20" y="34.6" text-anchor="middle" font-family="DejaVu Sans, sans-serif" font-weight="bold" font-size="{size}" fill="#FFFFFF">{label}</text>
</svg>
"""


def font_size(label: str) -> str:
    # DejaVu Sans Bold caps are about 0.72 em wide; keep the label inside the 30-unit band.
    return {1: "9", 2: "9", 3: "9", 4: "7.6"}.get(len(label), "6.2")


def main() -> None:
    out = Path(__file__).resolve().parent.parent / "resources" / "images"
    out.mkdir(parents=True, exist_ok=True)
    for name, (top, bottom), label, glyph in KINDS:
        svg = TEMPLATE.format(top=top, bottom=bottom, label=label, size=font_size(label),
                              glyph=GLYPHS[glyph])
        (out / f"{name}.svg").write_text(svg)


if __name__ == "__main__":
    main()
