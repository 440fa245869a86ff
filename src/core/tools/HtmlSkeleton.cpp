#include "core/tools/HtmlSkeleton.h"

namespace vd::tools {

const std::string_view kHtmlSkeleton = "<html>\n"
                                       "<head>\n"
                                       "<title>\n"
                                       "\n"
                                       "</title>\n"
                                       "<meta name=\"keywords\" content=\" \">\n"
                                       "<meta name=\"description\" content=\" \">\n"
                                       "</head>\n"
                                       "<body bgcolor=\"\" background=\"\" text=\"\" link=\"\" "
                                       "vlink=\"\" alink=\"\">\n"
                                       "\n"
                                       "</body>\n"
                                       "</html>";

} // namespace vd::tools
