#!/usr/bin/python3
"""Fills the two translation files after lupdate has collected the texts.

    bash scripts/update_translations.sh

Every source text of translations/lang_Chinses.ts gets its Chinese text from
ZH below; translations/lang_English.ts gets the source itself, except for the
few source texts written in Chinese, which get their English from EN. A text
missing from the tables is reported and the script fails, so no text ships
untranslated.
"""

import sys
import xml.etree.ElementTree as ET

ZH = {
    # Download control
    "Pause download": "暂停下载",
    "Retry %1 of %2 at %3": "第 %1/%2 次重试：%3",
    "no answer from the extractor": "下载程序无响应",
    "No update service is configured for this copy, so updates cannot be checked here.": "此版本未配置更新服务，无法在此检查更新。",
    # Window shell
    "Orvanta Quillon": "Orvanta Quillon 视频下载器",
    "Version: ": "版本：",
    "Notice": "公告",
    "Website": "官方网站",
    "FAQs": "常见问题",
    "About US": "关于我们",
    "Update": "检查更新",
    "Language": "语言",
    "English": "English",
    "简体中文": "简体中文",
    "Testing proxy status,please confirm that the agent is open.": "正在检测代理状态，请确认代理已开启。",
    "The network is available.": "网络连接正常。",
    "1.Copy video link ": "1. 复制视频链接",
    "2.Click paste link button ": "2. 点击“粘贴链接”按钮",
    "3.select download ": "3. 选择格式并下载",
    "How to parsing failure:": "解析失败怎么办：",
    "Please contact us. we can provide free remote service and compensation.":
        "请联系我们，我们提供免费的远程协助和补偿。",
    "Copy the video link address and click on me": "复制视频链接地址后点击我",
    "Minimize": "最小化",
    "Close": "关闭",
    "Menu": "菜单",
    "Service and settings": "服务与设置",
    "Help": "帮助",
    "E-mail: ": "电子邮箱：",
    "Service hours: 9:00 - 18:00, Monday to Friday": "服务时间：周一至周五 9:00 - 18:00",
    "Remote help is free of charge.": "远程协助完全免费。",
    "A fast, friendly downloader for videos, playlists and channels.": "快速易用的视频、播放列表和频道下载工具。",
    # Settings page
    "When download failture,auto redownload.": "下载失败时自动重新下载。",
    "Load historical records .": "启动时加载历史记录。",
    "Auto delete file that does not exist.": "自动删除已不存在的文件记录。",
    "A Vidoe,A folder.": "每个视频单独保存在一个文件夹中。",
    "Notify me when a download ends in the background.": "窗口在后台时，下载完成或失败后发送桌面通知。",
    # Desktop notices
    "Download finished": "下载完成",
    "Download failed": "下载失败",
    "Show": "查看",
    "Number of the videoes ": "热门视频显示数量",
    "Number of the processes ": "同时下载任务数",
    "Number of analysis processes ": "同时解析任务数",
    # Cookies for sign-in
    "Cookies for sign-in": "登录用 Cookie",
    "Default profile": "默认配置文件",
    "Profile": "配置文件",
    "File": "文件",
    "No file chosen": "未选择文件",
    "Choose file...": "选择文件...",
    "Read at every analysis and download; the program keeps no cookies.":
        "每次解析和下载时读取，本程序不保存任何 Cookie。",
    "None": "不使用",
    "Cookies file": "Cookie 文件",
    "Choose a cookies file": "选择 Cookie 文件",
    "Cookies files (*.txt);;All files (*)": "Cookie 文件 (*.txt);;所有文件 (*)",
    "%1 is not a cookies file in Netscape format. Export the cookies with a browser extension "
    "that writes this format (its first line is \"# Netscape HTTP Cookie File\").":
        "%1 不是 Netscape 格式的 Cookie 文件。请使用能导出该格式的浏览器扩展导出 Cookie"
        "（文件第一行为“# Netscape HTTP Cookie File”）。",
    "Choose the cookies file first, or choose \"None\".": "请先选择 Cookie 文件，或选择“不使用”。",
    "cookies unreadable": "无法读取 Cookie",
    "The cookies file %1 cannot be read.": "无法读取 Cookie 文件 %1。",
    "The file %1 is not a cookies file in Netscape format.": "文件 %1 不是 Netscape 格式的 Cookie 文件。",
    "The cookies in %1 could not be read.": "无法读取 %1 中的 Cookie。",
    "Export the cookies again (in Netscape format), or choose your browser under "
    "\"Cookies for sign-in\" in the settings.":
        "请重新导出 Cookie（Netscape 格式），或在设置的“登录用 Cookie”中选择您的浏览器。",
    "The cookies of %1 were not found on this computer.": "在本机上找不到 %1 的 Cookie。",
    "The cookies of %1 (profile \"%2\") were not found on this computer.":
        "在本机上找不到 %1（配置文件“%2”）的 Cookie。",
    "The extractor cannot read the cookies of %1.": "解析程序无法读取 %1 的 Cookie。",
    "%1 keeps its cookies locked while it runs.": "%1 运行时会锁定其 Cookie。",
    "The cookies of %1 could not be decrypted: the system keyring did not give the key.":
        "无法解密 %1 的 Cookie：系统密钥环未提供密钥。",
    "The cookies of %1 could not be read.": "无法读取 %1 的 Cookie。",
    "Close %1 and try again, or export its cookies to a file and choose \"Cookies file\" "
    "under \"Cookies for sign-in\" in the settings.":
        "请关闭 %1 后重试，或将其 Cookie 导出为文件，并在设置的“登录用 Cookie”中选择“Cookie 文件”。",
    # Proxy page and proxy test
    "Use adaptive proxy server .": "使用自适应代理服务器。",
    "Don't use proxy server .": "不使用代理服务器。",
    "Use IE proxy server .": "使用 IE 代理服务器。",
    "Use customized proxy server .": "使用自定义代理服务器。",
    "IP:": "IP：",
    "Port:": "端口：",
    "setting": "设置",
    "Tips": "提示",
    "Please input proxy server port number.": "请输入代理服务器端口号。",
    "The new port establishes the success..": "新端口设置成功。",
    "Testing the proxy server...": "正在测试代理服务器……",
    "The proxy server works: %1": "代理服务器可用：%1",
    "The proxy server does not answer. Please check that it is running.":
        "代理服务器没有响应，请确认它已开启。",
    "Test the connection with the link on the clipboard": "用剪贴板中的链接测试连接",
    # Link intake
    "Please waiting for detection agent ...,Software needs third-party agent support.If you have installed the agent,please contact us,We will solve it as soon as possible. ":
        "正在检测代理，请稍候……本软件需要第三方代理的支持。如果您已安装代理，请联系我们，我们会尽快为您解决。",
    "Warning": "警告",
    "Please paste the correct URL address!": "请粘贴正确的网址！",
    "提示:": "提示：",
    "发现视频链接地址包含视频列表信息,如果选择“yes”，下载视频列表，如果选择“NO”,下载单个视频":
        "发现视频链接地址包含视频列表信息。选择“是”下载整个视频列表，选择“否”只下载单个视频。",
    # Task status
    "Queuing": "排队中",
    "Analysing": "解析中",
    "Downloading": "下载中",
    "Finished": "已完成",
    "Download Failed": "下载失败",
    "Failed: Update extractor": "失败：请更新解析组件",
    # What the program says about the extractor itself
    "No extractor": "未找到解析组件",
    "Extractor out of date": "解析组件已过旧",
    "No JavaScript runtime": "没有 JavaScript 运行环境",
    'No extractor was found, so no link can be analysed or downloaded. Install one (on Debian or Ubuntu the package "yt-dlp") or choose "Update extractor" in the menu. Queued tasks wait and start once it is there.':
        "未找到解析组件，因此无法解析或下载任何链接。请安装解析组件（Debian 或 Ubuntu 上为软件包“yt-dlp”），或在菜单中选择“更新解析组件”。排队中的任务会等待，解析组件就绪后自动开始。",
    'A download failed and the extractor says that it is out of date. Video sites change often and an old extractor stops working on them: choose "Update extractor" in the menu, then try the task again.':
        "有下载失败，且解析组件提示其版本已过旧。视频网站经常变化，旧的解析组件会因此失效：请在菜单中选择“更新解析组件”，然后重试该任务。",
    "The extractor found no JavaScript runtime, so some sites give fewer formats or fail. Install one of Deno, Node 20 or later, or QuickJS.":
        "解析组件未找到 JavaScript 运行环境，部分网站因此格式较少或无法下载。请安装 Deno、Node 20 或更高版本，或 QuickJS 之一。",
    "Pause": "已暂停",
    # Why a download failed
    "Failed: %1": "失败：%1",
    "disk full": "磁盘已满",
    "name too long": "文件名过长",
    "folder not usable": "文件夹不可用",
    "no answer": "网站无应答",
    "extractor error": "解析工具出错",
    "file incomplete": "文件不完整",
    # Download row and list
    "Copy download link": "复制下载链接",
    "Open folder": "打开文件夹",
    "Delete": "删除",
    "Redownload": "重新下载",
    "Start": "开始",
    "play": "播放",
    "retry download": "重新下载",
    "open file location": "打开文件所在位置",
    "Warnning": "警告",
    "Are you sure to redownload this item?": "确定要重新下载此任务吗？",
    "Are you sure to delete this item?": "确定要删除此任务吗？",
    "Are you sure to delete this items?": "确定要删除这些任务吗？",
    "Are you sure to redownload this items?": "确定要重新下载这些任务吗？",
    "Delete the tasks of this list": "删除此列表中的任务",
    "Retry every failed task": "重试全部失败的任务",
    "Start all": "全部开始",
    "Pause all": "全部暂停",
    "Load history": "加载历史记录",
    # Batch import and export
    "+Batch import": "+批量链接导入",
    "+Batch export": "批量链接导出",
    "ALL List": "全部列表",
    "Pause List": "暂停列表",
    "Downloading List": "下载中列表",
    "Downloaded List": "已完成列表",
    "Failture List": "失败列表",
    "选择批量导入文件": "选择批量导入文件",
    "TXT(*.txt)": "文本文件(*.txt)",
    "保存的文件": "保存的文件",
    "Task database": "任务数据库",
    "The task database could not be read. It was kept as %1 and a new, empty one was started.":
        "任务数据库无法读取，已另存为 %1，并新建了一个空的任务数据库。",
    "Tasks cannot be saved: the task database cannot be written (%1). New tasks and changes last only until the program ends.":
        "无法保存任务：任务数据库无法写入（%1）。新任务和更改只在本次运行期间有效。",
    ".": ".",
    "打开写入文件": "打开写入文件",
    "打开要写入的文件失败，请检查文件名和是否具有写入权限！": "打开要写入的文件失败，请检查文件名和是否具有写入权限！",
    # Single-video and playlist dialogs
    "Video Analytics": "视频解析",
    "Analysing... ": "正在解析……",
    "Download Subtitle": "下载字幕",
    "Download thumbnail ": "下载缩略图",
    "Language:": "语言：",
    "Save Location": "保存位置",
    "Save Location:": "保存位置：",
    "Quality:": "画质：",
    "please select a type ": "请选择一种格式",
    "提示：不是常用视频格式，推荐选择AVC1格式": "提示：不是常用视频格式，推荐选择AVC1格式",
    "Incorrect Url address or network unreachabl.": "网址不正确或网络不可用。",
    "Best Video": "最佳视频",
    "Video": "视频",
    "Audeo": "音频",
    "Video Resolution": "视频分辨率",
    "Video Size": "视频大小",
    "Video Frames Per Second": "视频帧率",
    "Video Encoding Format": "视频编码格式",
    "繁体中文": "繁体中文",
    "俄语": "俄语",
    "韩语": "韩语",
    "All Selected": "全选",
    "thumbnail": "缩略图",
    "Parsing completed,select videoes and click download": "解析完成，请勾选视频后点击下载",
    " items": " 个视频",
    "Parsing failture": "解析失败",
    "Download": "下载",
    "Choose folder": "选择文件夹",
    # Quality, rate, subtitle and subtitle-language choices
    " Original Video": " 原始视频",
    " Best Parameter": " 最佳画质",
    " 8K ": " 8K ",
    " 4K ": " 4K ",
    " 2K ": " 2K ",
    " UHD 1080P": " 超清 1080P",
    " FHD 720P": " 高清 720P",
    " HD 480P": " 标清 480P",
    " SD 360P": " 流畅 360P",
    " FD 240P": " 极速 240P",
    " FD 144P": " 极速 144P",
    " Only Audio": " 仅音频",
    " Skip Download": " 不下载视频",
    " Save subtitle file": " 保存字幕文件",
    " Embed-subtitle": " 内嵌字幕",
    " Unlimited": " 不限速",
    " 1 Mbps": " 1 Mbps",
    " 512 Kbps": " 512 Kbps",
    " 200 Kbps": " 200 Kbps",
    " 100 Kbps": " 100 Kbps",
    " English": " 英语",
    " 简体中文": " 简体中文",
    " 繁体中文": " 繁体中文",
    " 俄语": " 俄语",
    " 韩语": " 韩语",
    # One-key page
    "Enable One-key configuration mode": "启用一键下载模式",
    "One-key configuration": "一键下载设置",
    "Video quality": "视频画质",
    "Download rate": "下载速度",
    "Subtitle": "字幕",
    "Save location": "保存位置",
    "Thumbnail": "缩略图",
    # Popular lists
    "Download link": "下载此链接",
    "Refresh": "刷新",
    "No popular lists are available.": "暂无热门列表。",
    "There are no notices at the moment.": "暂时没有公告。",
    "The downloaded installer does not match its published checksum. It was deleted and will not be started.": "下载的安装程序与公布的校验值不符，已删除，不会运行。",
    "The update was refused.": "已拒绝此更新。",
    "The download of the update failed.": "更新下载失败。",
    "The update information could not be read. Please try again later.": "无法读取更新信息，请稍后再试。",
    "%1 bytes": "%1 字节",
    "%1 KB": "%1 KB",
    "%1 MB": "%1 MB",
    # Update checker
    "This Version is the lastest Version, Thank you for support Orvanta quillon.":
        "当前已是最新版本，感谢您对 Orvanta Quillon 的支持。",
    "Congratulations! You are running the latest version of %1": "恭喜！您正在使用最新版本的 %1",
    "No updates are available for the moment": "暂时没有可用的更新",
    "Downloading updates": "正在下载更新",
    "Downloading Updates": "正在下载更新",
    "Time remaining: 0 minutes": "剩余时间：0 分钟",
    "Time remaining": "剩余时间",
    "Time Remaining": "剩余时间",
    "unknown": "未知",
    "Unknown": "未知",
    "of": "/",
    "about one hour": "约 1 小时",
    "about %1 hours": "约 %1 小时",
    "1 minute": "1 分钟",
    "%1 minutes": "%1 分钟",
    "1 second": "1 秒",
    "%1 seconds": "%1 秒",
    "Download complete!": "下载完成！",
    "The installer will open separately": "安装程序将单独打开",
    'Click the "Update" button to apply the update': "点击“更新”按钮安装更新",
    "Error": "错误",
    "Cannot find downloaded update!": "找不到已下载的更新！",
    "Updater": "更新程序",
    "Are you sure you want to cancel the download?": "确定要取消下载吗？",
    "Are you sure you want to cancel the download? This is a mandatory update, exiting now will close the application":
        "确定要取消下载吗？这是一次强制更新，现在退出将关闭程序。",
    "Stop": "停止",
    "升级内容:": "更新内容：",
    # The extractor in use and its update
    "Update extractor": "更新解析组件",
    "Cancel": "取消",
    "Fetching the list of the newest release…": "正在获取最新版本的文件清单…",
    "Checking the release's signature…": "正在验证版本签名…",
    "Downloading the extractor…": "正在下载解析组件…",
    "Trying the new extractor…": "正在试运行新的解析组件…",
    "Extractor: looking for it…": "解析组件：正在查找…",
    "Extractor: none found": "解析组件：未找到",
    "Extractor: %1": "解析组件：%1",
    "Extractor version: %1": "解析组件版本：%1",
    "it does not answer": "无响应",
    "JavaScript runtime: %1": "JavaScript 运行环境：%1",
    "none": "无",
    "none (%1 is too old for this extractor)": "无（%1 对此解析组件来说版本过旧）",
    "The extractor is being updated already.": "解析组件正在更新中。",
    'Downloads are running (%1). The extractor can be updated when none runs: wait until they have finished or pause them, then choose "Update extractor" again.':
        "有下载正在进行（%1 个）。没有下载进行时才能更新解析组件：请等待下载完成或将其暂停，然后再次选择“更新解析组件”。",
    "The release address %1 is not used: releases are fetched over https only.":
        "未使用发布地址 %1：只通过 https 获取新版本。",
    'The release cannot be checked: the signature checker gpgv is missing. Install it (the Debian package "gpgv") and try again.':
        "无法验证新版本：缺少签名验证工具 gpgv。请安装它（Debian 软件包“gpgv”）后重试。",
    "No temporary folder could be made for the download.": "无法为下载创建临时文件夹。",
    "The download could not be written: %1.": "无法写入下载的文件：%1。",
    "The release address answered with something other than a release (%1 is too large).":
        "发布地址返回的不是发布文件（%1 过大）。",
    "The release address sent the download on to %1, which is not an https address.":
        "发布地址将下载转到了 %1，这不是 https 地址。",
    "The download of %1 was cut short.": "%1 的下载中途中断。",
    "the server answered %1": "服务器返回 %1",
    "%1 could not be downloaded from %2: %3.": "无法从 %2 下载 %1：%3。",
    "The downloaded %1 does not match the checksum the release lists for it.":
        "下载的 %1 与发布清单中列出的校验值不符。",
    "The program's copy of the extractor project's key is damaged.": "程序自带的解析组件项目密钥已损坏。",
    "The download could not be written to %1.": "无法将下载写入 %1。",
    "The release's checksum list is not signed with the extractor project's key.":
        "发布的校验清单没有使用解析组件项目的密钥签名。",
    "The release's checksum list names no %1.": "发布的校验清单中没有 %1。",
    "The new extractor could not be saved in %1.": "无法将新的解析组件保存到 %1。",
    "The new extractor does not run on this computer.": "新的解析组件无法在这台电脑上运行。",
    "The new extractor could not be put in place of %1.": "无法用新的解析组件替换 %1。",
    "The extractor was updated to version %1.": "解析组件已更新到版本 %1。",
    "It is not used while %1 is found first: remove that file to use the update.":
        "由于会先找到 %1，更新后的组件暂不会被使用：删除该文件即可使用更新。",
    "The extractor in use is unchanged.": "正在使用的解析组件保持不变。",
}

# English for the source texts that are written in Chinese.
EN = {
    "简体中文": "简体中文",  # the language's own name stays as it is
    "提示:": "Tips:",
    "发现视频链接地址包含视频列表信息,如果选择“yes”，下载视频列表，如果选择“NO”,下载单个视频":
        "The link also names a playlist. Choose Yes to download the whole list, No to download this video only.",
    "选择批量导入文件": "Choose a file of links to import",
    "保存的文件": "Save links to file",
    "打开写入文件": "Open file for writing",
    "打开要写入的文件失败，请检查文件名和是否具有写入权限！":
        "The file could not be opened for writing. Please check the file name and your write permission.",
    "提示：不是常用视频格式，推荐选择AVC1格式": "Tip: this is not a common video format; AVC1 is recommended.",
    "繁体中文": "Traditional Chinese",
    "俄语": "Russian",
    "韩语": "Korean",
    " 简体中文": " Simplified Chinese",
    " 繁体中文": " Traditional Chinese",
    " 俄语": " Russian",
    " 韩语": " Korean",
    "升级内容:": "What's new:",
}


def has_cjk(text):
    return any("\u3000" <= ch <= "\u9fff" or "\uff00" <= ch <= "\uffef" for ch in text)


def fill(path, table, fallback_to_source):
    tree = ET.parse(path)
    missing = []
    for message in tree.iter("message"):
        source = message.find("source").text or ""
        translation = message.find("translation")
        if source in table:
            text = table[source]
        elif fallback_to_source and not has_cjk(source):
            text = source
        else:
            missing.append(source)
            continue
        translation.text = text
        translation.attrib.pop("type", None)
    ET.indent(tree, space="    ")
    with open(path, "wb") as fh:
        fh.write(b'<?xml version="1.0" encoding="utf-8"?>\n<!DOCTYPE TS>\n')
        tree.write(fh, encoding="utf-8")
        fh.write(b"\n")
    return missing


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else "translations"
    missing = fill(root + "/lang_Chinses.ts", ZH, False)
    missing += fill(root + "/lang_English.ts", EN, True)
    for text in missing:
        print("untranslated: %r" % text, file=sys.stderr)
    return 1 if missing else 0


if __name__ == "__main__":
    sys.exit(main())
