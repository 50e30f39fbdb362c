# The banner picture at the top of the window: its size in twips and the depth in pixels of the
# sunken edge around its art. The window layout takes them from the header made of these
# (ui/BannerSize.h); tarnwick.exe's build draws its banner bitmaps to fit inside the edge.
set(TARNWICK_BANNER_WIDTH_TWIPS 7560)
set(TARNWICK_BANNER_HEIGHT_TWIPS 2040)
set(TARNWICK_BANNER_EDGE_PIXELS 2)
