<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
    <context>
        <name>AnalysisDialog</name>
        <message>
            <source>Save Location</source>
            <translation>保存位置</translation>
        </message>
    </context>
    <context>
        <name>Appcast</name>
        <message>
            <source>%1 bytes</source>
            <translation>%1 字节</translation>
        </message>
        <message>
            <source>%1 KB</source>
            <translation>%1 KB</translation>
        </message>
        <message>
            <source>%1 MB</source>
            <translation>%1 MB</translation>
        </message>
        <message>
            <source>about one hour</source>
            <translation>约 1 小时</translation>
        </message>
        <message>
            <source>about %1 hours</source>
            <translation>约 %1 小时</translation>
        </message>
        <message>
            <source>1 minute</source>
            <translation>1 分钟</translation>
        </message>
        <message>
            <source>%1 minutes</source>
            <translation>%1 分钟</translation>
        </message>
        <message>
            <source>1 second</source>
            <translation>1 秒</translation>
        </message>
        <message>
            <source>%1 seconds</source>
            <translation>%1 秒</translation>
        </message>
    </context>
    <context>
        <name>CookieFailure</name>
        <message>
            <source>Cookies for sign-in</source>
            <translation>登录用 Cookie</translation>
        </message>
        <message>
            <source>The cookies file %1 cannot be read.</source>
            <translation>无法读取 Cookie 文件 %1。</translation>
        </message>
        <message>
            <source>The file %1 is not a cookies file in Netscape format.</source>
            <translation>文件 %1 不是 Netscape 格式的 Cookie 文件。</translation>
        </message>
        <message>
            <source>The cookies in %1 could not be read.</source>
            <translation>无法读取 %1 中的 Cookie。</translation>
        </message>
        <message>
            <source>Export the cookies again (in Netscape format), or choose your browser under "Cookies for sign-in" in the settings.</source>
            <translation>请重新导出 Cookie（Netscape 格式），或在设置的“登录用 Cookie”中选择您的浏览器。</translation>
        </message>
        <message>
            <source>The cookies of %1 were not found on this computer.</source>
            <translation>在本机上找不到 %1 的 Cookie。</translation>
        </message>
        <message>
            <source>The cookies of %1 (profile "%2") were not found on this computer.</source>
            <translation>在本机上找不到 %1（配置文件“%2”）的 Cookie。</translation>
        </message>
        <message>
            <source>The extractor cannot read the cookies of %1.</source>
            <translation>解析程序无法读取 %1 的 Cookie。</translation>
        </message>
        <message>
            <source>%1 keeps its cookies locked while it runs.</source>
            <translation>%1 运行时会锁定其 Cookie。</translation>
        </message>
        <message>
            <source>The cookies of %1 could not be decrypted: the system keyring did not give the key.</source>
            <translation>无法解密 %1 的 Cookie：系统密钥环未提供密钥。</translation>
        </message>
        <message>
            <source>The cookies of %1 could not be read.</source>
            <translation>无法读取 %1 的 Cookie。</translation>
        </message>
        <message>
            <source>Close %1 and try again, or export its cookies to a file and choose "Cookies file" under "Cookies for sign-in" in the settings.</source>
            <translation>请关闭 %1 后重试，或将其 Cookie 导出为文件，并在设置的“登录用 Cookie”中选择“Cookie 文件”。</translation>
        </message>
    </context>
    <context>
        <name>DownloadChoices</name>
        <message>
            <source> Original Video</source>
            <translation> 原始视频</translation>
        </message>
        <message>
            <source> Best Parameter</source>
            <translation> 最佳画质</translation>
        </message>
        <message>
            <source> 8K </source>
            <translation> 8K </translation>
        </message>
        <message>
            <source> 4K </source>
            <translation> 4K </translation>
        </message>
        <message>
            <source> 2K </source>
            <translation> 2K </translation>
        </message>
        <message>
            <source> UHD 1080P</source>
            <translation> 超清 1080P</translation>
        </message>
        <message>
            <source> FHD 720P</source>
            <translation> 高清 720P</translation>
        </message>
        <message>
            <source> HD 480P</source>
            <translation> 标清 480P</translation>
        </message>
        <message>
            <source> SD 360P</source>
            <translation> 流畅 360P</translation>
        </message>
        <message>
            <source> FD 240P</source>
            <translation> 极速 240P</translation>
        </message>
        <message>
            <source> FD 144P</source>
            <translation> 极速 144P</translation>
        </message>
        <message>
            <source> Only Audio</source>
            <translation> 仅音频</translation>
        </message>
        <message>
            <source> Skip Download</source>
            <translation> 不下载视频</translation>
        </message>
        <message>
            <source> Unlimited</source>
            <translation> 不限速</translation>
        </message>
        <message>
            <source> 1 Mbps</source>
            <translation> 1 Mbps</translation>
        </message>
        <message>
            <source> 512 Kbps</source>
            <translation> 512 Kbps</translation>
        </message>
        <message>
            <source> 200 Kbps</source>
            <translation> 200 Kbps</translation>
        </message>
        <message>
            <source> 100 Kbps</source>
            <translation> 100 Kbps</translation>
        </message>
        <message>
            <source> Save subtitle file</source>
            <translation> 保存字幕文件</translation>
        </message>
        <message>
            <source> Embed-subtitle</source>
            <translation> 内嵌字幕</translation>
        </message>
        <message>
            <source> English</source>
            <translation> 英语</translation>
        </message>
        <message>
            <source> 简体中文</source>
            <translation> 简体中文</translation>
        </message>
        <message>
            <source> 繁体中文</source>
            <translation> 繁体中文</translation>
        </message>
        <message>
            <source> 俄语</source>
            <translation> 俄语</translation>
        </message>
        <message>
            <source> 韩语</source>
            <translation> 韩语</translation>
        </message>
    </context>
    <context>
        <name>DownloadNotifier</name>
        <message>
            <source>Download finished</source>
            <translation>下载完成</translation>
        </message>
        <message>
            <source>Download failed</source>
            <translation>下载失败</translation>
        </message>
        <message>
            <source>Show</source>
            <translation>查看</translation>
        </message>
    </context>
    <context>
        <name>Downloader</name>
        <message>
            <source>Updater</source>
            <translation>更新程序</translation>
        </message>
        <message>
            <source>Downloading updates</source>
            <translation>正在下载更新</translation>
        </message>
        <message>
            <source>Time remaining: 0 minutes</source>
            <translation>剩余时间：0 分钟</translation>
        </message>
        <message>
            <source>升级内容:</source>
            <translation>更新内容：</translation>
        </message>
        <message>
            <source>Update</source>
            <translation>检查更新</translation>
        </message>
        <message>
            <source>Stop</source>
            <translation>停止</translation>
        </message>
        <message>
            <source>Time remaining</source>
            <translation>剩余时间</translation>
        </message>
        <message>
            <source>unknown</source>
            <translation>未知</translation>
        </message>
        <message>
            <source>Downloading Updates</source>
            <translation>正在下载更新</translation>
        </message>
        <message>
            <source>Time Remaining</source>
            <translation>剩余时间</translation>
        </message>
        <message>
            <source>Unknown</source>
            <translation>未知</translation>
        </message>
        <message>
            <source>of</source>
            <translation>/</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>关闭</translation>
        </message>
        <message>
            <source>The downloaded installer does not match its published checksum. It was deleted and will not be started.</source>
            <translation>下载的安装程序与公布的校验值不符，已删除，不会运行。</translation>
        </message>
        <message>
            <source>The update was refused.</source>
            <translation>已拒绝此更新。</translation>
        </message>
        <message>
            <source>The download of the update failed.</source>
            <translation>更新下载失败。</translation>
        </message>
        <message>
            <source>Download complete!</source>
            <translation>下载完成！</translation>
        </message>
        <message>
            <source>The installer will open separately</source>
            <translation>安装程序将单独打开</translation>
        </message>
        <message>
            <source>Click the "Update" button to apply the update</source>
            <translation>点击“更新”按钮安装更新</translation>
        </message>
        <message>
            <source>Error</source>
            <translation>错误</translation>
        </message>
        <message>
            <source>Cannot find downloaded update!</source>
            <translation>找不到已下载的更新！</translation>
        </message>
        <message>
            <source>Are you sure you want to cancel the download? This is a mandatory update, exiting now will close the application</source>
            <translation>确定要取消下载吗？这是一次强制更新，现在退出将关闭程序。</translation>
        </message>
        <message>
            <source>Are you sure you want to cancel the download?</source>
            <translation>确定要取消下载吗？</translation>
        </message>
    </context>
    <context>
        <name>ExtractorNotices</name>
        <message>
            <source>No extractor</source>
            <translation>未找到解析组件</translation>
        </message>
        <message>
            <source>Extractor out of date</source>
            <translation>解析组件已过旧</translation>
        </message>
        <message>
            <source>No JavaScript runtime</source>
            <translation>没有 JavaScript 运行环境</translation>
        </message>
        <message>
            <source>No extractor was found, so no link can be analysed or downloaded. Install one (on Debian or Ubuntu the package "yt-dlp") or choose "Update extractor" in the menu. Queued tasks wait and start once it is there.</source>
            <translation>未找到解析组件，因此无法解析或下载任何链接。请安装解析组件（Debian 或 Ubuntu 上为软件包“yt-dlp”），或在菜单中选择“更新解析组件”。排队中的任务会等待，解析组件就绪后自动开始。</translation>
        </message>
        <message>
            <source>A download failed and the extractor says that it is out of date. Video sites change often and an old extractor stops working on them: choose "Update extractor" in the menu, then try the task again.</source>
            <translation>有下载失败，且解析组件提示其版本已过旧。视频网站经常变化，旧的解析组件会因此失效：请在菜单中选择“更新解析组件”，然后重试该任务。</translation>
        </message>
        <message>
            <source>The extractor found no JavaScript runtime, so some sites give fewer formats or fail. Install one of Deno, Node 20 or later, or QuickJS.</source>
            <translation>解析组件未找到 JavaScript 运行环境，部分网站因此格式较少或无法下载。请安装 Deno、Node 20 或更高版本，或 QuickJS 之一。</translation>
        </message>
    </context>
    <context>
        <name>ExtractorUpdate</name>
        <message>
            <source>The extractor is being updated already.</source>
            <translation>解析组件正在更新中。</translation>
        </message>
        <message>
            <source>Downloads are running (%1). The extractor can be updated when none runs: wait until they have finished or pause them, then choose "Update extractor" again.</source>
            <translation>有下载正在进行（%1 个）。没有下载进行时才能更新解析组件：请等待下载完成或将其暂停，然后再次选择“更新解析组件”。</translation>
        </message>
        <message>
            <source>The release address %1 is not used: releases are fetched over https only.</source>
            <translation>未使用发布地址 %1：只通过 https 获取新版本。</translation>
        </message>
        <message>
            <source>The release cannot be checked: the signature checker gpgv is missing. Install it (the Debian package "gpgv") and try again.</source>
            <translation>无法验证新版本：缺少签名验证工具 gpgv。请安装它（Debian 软件包“gpgv”）后重试。</translation>
        </message>
        <message>
            <source>No temporary folder could be made for the download.</source>
            <translation>无法为下载创建临时文件夹。</translation>
        </message>
        <message>
            <source>The download could not be written: %1.</source>
            <translation>无法写入下载的文件：%1。</translation>
        </message>
        <message>
            <source>The release address answered with something other than a release (%1 is too large).</source>
            <translation>发布地址返回的不是发布文件（%1 过大）。</translation>
        </message>
        <message>
            <source>The release address sent the download on to %1, which is not an https address.</source>
            <translation>发布地址将下载转到了 %1，这不是 https 地址。</translation>
        </message>
        <message>
            <source>The download of %1 was cut short.</source>
            <translation>%1 的下载中途中断。</translation>
        </message>
        <message>
            <source>the server answered %1</source>
            <translation>服务器返回 %1</translation>
        </message>
        <message>
            <source>%1 could not be downloaded from %2: %3.</source>
            <translation>无法从 %2 下载 %1：%3。</translation>
        </message>
        <message>
            <source>The downloaded %1 does not match the checksum the release lists for it.</source>
            <translation>下载的 %1 与发布清单中列出的校验值不符。</translation>
        </message>
        <message>
            <source>The program's copy of the extractor project's key is damaged.</source>
            <translation>程序自带的解析组件项目密钥已损坏。</translation>
        </message>
        <message>
            <source>The download could not be written to %1.</source>
            <translation>无法将下载写入 %1。</translation>
        </message>
        <message>
            <source>The release's checksum list is not signed with the extractor project's key.</source>
            <translation>发布的校验清单没有使用解析组件项目的密钥签名。</translation>
        </message>
        <message>
            <source>The release's checksum list names no %1.</source>
            <translation>发布的校验清单中没有 %1。</translation>
        </message>
        <message>
            <source>The new extractor could not be saved in %1.</source>
            <translation>无法将新的解析组件保存到 %1。</translation>
        </message>
        <message>
            <source>The new extractor does not run on this computer.</source>
            <translation>新的解析组件无法在这台电脑上运行。</translation>
        </message>
        <message>
            <source>The new extractor could not be put in place of %1.</source>
            <translation>无法用新的解析组件替换 %1。</translation>
        </message>
        <message>
            <source>The extractor was updated to version %1.</source>
            <translation>解析组件已更新到版本 %1。</translation>
        </message>
        <message>
            <source>It is not used while %1 is found first: remove that file to use the update.</source>
            <translation>由于会先找到 %1，更新后的组件暂不会被使用：删除该文件即可使用更新。</translation>
        </message>
        <message>
            <source>The extractor in use is unchanged.</source>
            <translation>正在使用的解析组件保持不变。</translation>
        </message>
    </context>
    <context>
        <name>ExtractorUpdateDialog</name>
        <message>
            <source>Update extractor</source>
            <translation>更新解析组件</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>取消</translation>
        </message>
        <message>
            <source>Fetching the list of the newest release…</source>
            <translation>正在获取最新版本的文件清单…</translation>
        </message>
        <message>
            <source>Checking the release's signature…</source>
            <translation>正在验证版本签名…</translation>
        </message>
        <message>
            <source>Downloading the extractor…</source>
            <translation>正在下载解析组件…</translation>
        </message>
        <message>
            <source>Trying the new extractor…</source>
            <translation>正在试运行新的解析组件…</translation>
        </message>
    </context>
    <context>
        <name>FailReason</name>
        <message>
            <source>disk full</source>
            <translation>磁盘已满</translation>
        </message>
        <message>
            <source>name too long</source>
            <translation>文件名过长</translation>
        </message>
        <message>
            <source>folder not usable</source>
            <translation>文件夹不可用</translation>
        </message>
        <message>
            <source>no answer</source>
            <translation>网站无应答</translation>
        </message>
        <message>
            <source>extractor error</source>
            <translation>解析工具出错</translation>
        </message>
        <message>
            <source>file incomplete</source>
            <translation>文件不完整</translation>
        </message>
        <message>
            <source>Failed: %1</source>
            <translation>失败：%1</translation>
        </message>
        <message>
            <source>no answer from the extractor</source>
            <translation>下载程序无响应</translation>
        </message>
        <message>
            <source>cookies unreadable</source>
            <translation>无法读取 Cookie</translation>
        </message>
    </context>
    <context>
        <name>LinkIntake</name>
        <message>
            <source>Warning</source>
            <translation>警告</translation>
        </message>
        <message>
            <source>Please paste the correct URL address!</source>
            <translation>请粘贴正确的网址！</translation>
        </message>
        <message>
            <source>提示:</source>
            <translation>提示：</translation>
        </message>
        <message>
            <source>发现视频链接地址包含视频列表信息,如果选择“yes”，下载视频列表，如果选择“NO”,下载单个视频</source>
            <translation>发现视频链接地址包含视频列表信息。选择“是”下载整个视频列表，选择“否”只下载单个视频。</translation>
        </message>
    </context>
    <context>
        <name>ListDialog</name>
        <message>
            <source>Video Analytics</source>
            <translation>视频解析</translation>
        </message>
        <message>
            <source>All Selected</source>
            <translation>全选</translation>
        </message>
        <message>
            <source>Quality:</source>
            <translation>画质：</translation>
        </message>
        <message>
            <source>Language:</source>
            <translation>语言：</translation>
        </message>
        <message>
            <source>Save Location:</source>
            <translation>保存位置：</translation>
        </message>
        <message>
            <source>thumbnail</source>
            <translation>缩略图</translation>
        </message>
        <message>
            <source>Analysing... </source>
            <translation>正在解析……</translation>
        </message>
        <message>
            <source>Parsing completed,select videoes and click download</source>
            <translation>解析完成，请勾选视频后点击下载</translation>
        </message>
        <message>
            <source> items</source>
            <translation> 个视频</translation>
        </message>
        <message>
            <source>Parsing failture</source>
            <translation>解析失败</translation>
        </message>
    </context>
    <context>
        <name>MainWindow</name>
        <message>
            <source>+Batch import</source>
            <translation>+批量链接导入</translation>
        </message>
        <message>
            <source>+Batch export</source>
            <translation>批量链接导出</translation>
        </message>
        <message>
            <source>Use adaptive proxy server .</source>
            <translation>使用自适应代理服务器。</translation>
        </message>
        <message>
            <source>Don't use proxy server .</source>
            <translation>不使用代理服务器。</translation>
        </message>
        <message>
            <source>Use IE proxy server .</source>
            <translation>使用 IE 代理服务器。</translation>
        </message>
        <message>
            <source>Use customized proxy server .</source>
            <translation>使用自定义代理服务器。</translation>
        </message>
        <message>
            <source>IP:</source>
            <translation>IP：</translation>
        </message>
        <message>
            <source>Port:</source>
            <translation>端口：</translation>
        </message>
        <message>
            <source>setting</source>
            <translation>设置</translation>
        </message>
        <message>
            <source>When download failture,auto redownload.</source>
            <translation>下载失败时自动重新下载。</translation>
        </message>
        <message>
            <source>Load historical records .</source>
            <translation>启动时加载历史记录。</translation>
        </message>
        <message>
            <source>Auto delete file that does not exist.</source>
            <translation>自动删除已不存在的文件记录。</translation>
        </message>
        <message>
            <source>A Vidoe,A folder.</source>
            <translation>每个视频单独保存在一个文件夹中。</translation>
        </message>
        <message>
            <source>Number of the videoes </source>
            <translation>热门视频显示数量</translation>
        </message>
        <message>
            <source>Number of the processes </source>
            <translation>同时下载任务数</translation>
        </message>
        <message>
            <source>Number of analysis processes </source>
            <translation>同时解析任务数</translation>
        </message>
        <message>
            <source>1.Copy video link </source>
            <translation>1. 复制视频链接</translation>
        </message>
        <message>
            <source>2.Click paste link button </source>
            <translation>2. 点击“粘贴链接”按钮</translation>
        </message>
        <message>
            <source>3.select download </source>
            <translation>3. 选择格式并下载</translation>
        </message>
        <message>
            <source>How to parsing failure:</source>
            <translation>解析失败怎么办：</translation>
        </message>
        <message>
            <source>Please contact us. we can provide free remote service and compensation.</source>
            <translation>请联系我们，我们提供免费的远程协助和补偿。</translation>
        </message>
        <message>
            <source>Orvanta Quillon</source>
            <translation>Orvanta Quillon 视频下载器</translation>
        </message>
        <message>
            <source>Enable One-key configuration mode</source>
            <translation>启用一键下载模式</translation>
        </message>
        <message>
            <source>Video quality</source>
            <translation>视频画质</translation>
        </message>
        <message>
            <source>Download rate</source>
            <translation>下载速度</translation>
        </message>
        <message>
            <source>Subtitle</source>
            <translation>字幕</translation>
        </message>
        <message>
            <source>Save location</source>
            <translation>保存位置</translation>
        </message>
        <message>
            <source>Thumbnail</source>
            <translation>缩略图</translation>
        </message>
        <message>
            <source>Testing proxy status,please confirm that the agent is open.</source>
            <translation>正在检测代理状态，请确认代理已开启。</translation>
        </message>
        <message>
            <source>Version: </source>
            <translation>版本：</translation>
        </message>
        <message>
            <source>The network is available.</source>
            <translation>网络连接正常。</translation>
        </message>
        <message>
            <source>A fast, friendly downloader for videos, playlists and channels.</source>
            <translation>快速易用的视频、播放列表和频道下载工具。</translation>
        </message>
        <message>
            <source>E-mail: </source>
            <translation>电子邮箱：</translation>
        </message>
        <message>
            <source>Service hours: 9:00 - 18:00, Monday to Friday</source>
            <translation>服务时间：周一至周五 9:00 - 18:00</translation>
        </message>
        <message>
            <source>Remote help is free of charge.</source>
            <translation>远程协助完全免费。</translation>
        </message>
        <message>
            <source>Copy the video link address and click on me</source>
            <translation>复制视频链接地址后点击我</translation>
        </message>
        <message>
            <source>Notice</source>
            <translation>公告</translation>
        </message>
        <message>
            <source>Minimize</source>
            <translation>最小化</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>关闭</translation>
        </message>
        <message>
            <source>Menu</source>
            <translation>菜单</translation>
        </message>
        <message>
            <source>Service and settings</source>
            <translation>服务与设置</translation>
        </message>
        <message>
            <source>Help</source>
            <translation>帮助</translation>
        </message>
        <message>
            <source>One-key configuration</source>
            <translation>一键下载设置</translation>
        </message>
        <message>
            <source>Delete the tasks of this list</source>
            <translation>删除此列表中的任务</translation>
        </message>
        <message>
            <source>Retry every failed task</source>
            <translation>重试全部失败的任务</translation>
        </message>
        <message>
            <source>Load history</source>
            <translation>加载历史记录</translation>
        </message>
        <message>
            <source>Refresh</source>
            <translation>刷新</translation>
        </message>
        <message>
            <source>Choose folder</source>
            <translation>选择文件夹</translation>
        </message>
        <message>
            <source>Test the connection with the link on the clipboard</source>
            <translation>用剪贴板中的链接测试连接</translation>
        </message>
        <message>
            <source>Start all</source>
            <translation>全部开始</translation>
        </message>
        <message>
            <source>Pause all</source>
            <translation>全部暂停</translation>
        </message>
        <message>
            <source>Website</source>
            <translation>官方网站</translation>
        </message>
        <message>
            <source>FAQs</source>
            <translation>常见问题</translation>
        </message>
        <message>
            <source>About US</source>
            <translation>关于我们</translation>
        </message>
        <message>
            <source>Update</source>
            <translation>检查更新</translation>
        </message>
        <message>
            <source>Language</source>
            <translation>语言</translation>
        </message>
        <message>
            <source>English</source>
            <translation>English</translation>
        </message>
        <message>
            <source>简体中文</source>
            <translation>简体中文</translation>
        </message>
        <message>
            <source>Redownload</source>
            <translation>重新下载</translation>
        </message>
        <message>
            <source>Are you sure to redownload this items?</source>
            <translation>确定要重新下载这些任务吗？</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>删除</translation>
        </message>
        <message>
            <source>Are you sure to delete this items?</source>
            <translation>确定要删除这些任务吗？</translation>
        </message>
        <message>
            <source>Tips</source>
            <translation>提示</translation>
        </message>
        <message>
            <source>Please waiting for detection agent ...,Software needs third-party agent support.If you have installed the agent,please contact us,We will solve it as soon as possible. </source>
            <translation>正在检测代理，请稍候……本软件需要第三方代理的支持。如果您已安装代理，请联系我们，我们会尽快为您解决。</translation>
        </message>
        <message>
            <source>Warnning</source>
            <translation>警告</translation>
        </message>
        <message>
            <source>Are you sure to redownload this item?</source>
            <translation>确定要重新下载此任务吗？</translation>
        </message>
        <message>
            <source>Are you sure to delete this item?</source>
            <translation>确定要删除此任务吗？</translation>
        </message>
        <message>
            <source>选择批量导入文件</source>
            <translation>选择批量导入文件</translation>
        </message>
        <message>
            <source>TXT(*.txt)</source>
            <translation>文本文件(*.txt)</translation>
        </message>
        <message>
            <source>保存的文件</source>
            <translation>保存的文件</translation>
        </message>
        <message>
            <source>.</source>
            <translation>.</translation>
        </message>
        <message>
            <source>打开写入文件</source>
            <translation>打开写入文件</translation>
        </message>
        <message>
            <source>打开要写入的文件失败，请检查文件名和是否具有写入权限！</source>
            <translation>打开要写入的文件失败，请检查文件名和是否具有写入权限！</translation>
        </message>
        <message>
            <source>Save Location</source>
            <translation>保存位置</translation>
        </message>
        <message>
            <source>Task database</source>
            <translation>任务数据库</translation>
        </message>
        <message>
            <source>Tasks cannot be saved: the task database cannot be written (%1). New tasks and changes last only until the program ends.</source>
            <translation>无法保存任务：任务数据库无法写入（%1）。新任务和更改只在本次运行期间有效。</translation>
        </message>
        <message>
            <source>The task database could not be read. It was kept as %1 and a new, empty one was started.</source>
            <translation>任务数据库无法读取，已另存为 %1，并新建了一个空的任务数据库。</translation>
        </message>
        <message>
            <source>No popular lists are available.</source>
            <translation>暂无热门列表。</translation>
        </message>
        <message>
            <source>This Version is the lastest Version, Thank you for support Orvanta quillon.</source>
            <translation>当前已是最新版本，感谢您对 Orvanta Quillon 的支持。</translation>
        </message>
        <message>
            <source>Extractor: looking for it…</source>
            <translation>解析组件：正在查找…</translation>
        </message>
        <message>
            <source>Extractor: none found</source>
            <translation>解析组件：未找到</translation>
        </message>
        <message>
            <source>Extractor: %1</source>
            <translation>解析组件：%1</translation>
        </message>
        <message>
            <source>Extractor version: %1</source>
            <translation>解析组件版本：%1</translation>
        </message>
        <message>
            <source>it does not answer</source>
            <translation>无响应</translation>
        </message>
        <message>
            <source>JavaScript runtime: %1</source>
            <translation>JavaScript 运行环境：%1</translation>
        </message>
        <message>
            <source>none</source>
            <translation>无</translation>
        </message>
        <message>
            <source>Update extractor</source>
            <translation>更新解析组件</translation>
        </message>
        <message>
            <source>none (%1 is too old for this extractor)</source>
            <translation>无（%1 对此解析组件来说版本过旧）</translation>
        </message>
        <message>
            <source>Notify me when a download ends in the background.</source>
            <translation>窗口在后台时，下载完成或失败后发送桌面通知。</translation>
        </message>
        <message>
            <source>No update service is configured for this copy, so updates cannot be checked here.</source>
            <translation>此版本未配置更新服务，无法在此检查更新。</translation>
        </message>
        <message>
            <source>Cookies for sign-in</source>
            <translation>登录用 Cookie</translation>
        </message>
        <message>
            <source>Default profile</source>
            <translation>默认配置文件</translation>
        </message>
        <message>
            <source>No file chosen</source>
            <translation>未选择文件</translation>
        </message>
        <message>
            <source>Choose file...</source>
            <translation>选择文件...</translation>
        </message>
        <message>
            <source>Read at every analysis and download; the program keeps no cookies.</source>
            <translation>每次解析和下载时读取，本程序不保存任何 Cookie。</translation>
        </message>
        <message>
            <source>None</source>
            <translation>不使用</translation>
        </message>
        <message>
            <source>Cookies file</source>
            <translation>Cookie 文件</translation>
        </message>
        <message>
            <source>Profile</source>
            <translation>配置文件</translation>
        </message>
        <message>
            <source>File</source>
            <translation>文件</translation>
        </message>
        <message>
            <source>Choose a cookies file</source>
            <translation>选择 Cookie 文件</translation>
        </message>
        <message>
            <source>Cookies files (*.txt);;All files (*)</source>
            <translation>Cookie 文件 (*.txt);;所有文件 (*)</translation>
        </message>
        <message>
            <source>%1 is not a cookies file in Netscape format. Export the cookies with a browser extension that writes this format (its first line is "# Netscape HTTP Cookie File").</source>
            <translation>%1 不是 Netscape 格式的 Cookie 文件。请使用能导出该格式的浏览器扩展导出 Cookie（文件第一行为“# Netscape HTTP Cookie File”）。</translation>
        </message>
        <message>
            <source>Choose the cookies file first, or choose "None".</source>
            <translation>请先选择 Cookie 文件，或选择“不使用”。</translation>
        </message>
    </context>
    <context>
        <name>NoticeDialog</name>
        <message>
            <source>Notice</source>
            <translation>公告</translation>
        </message>
        <message>
            <source>There are no notices at the moment.</source>
            <translation>暂时没有公告。</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>关闭</translation>
        </message>
    </context>
    <context>
        <name>ProxyController</name>
        <message>
            <source>Please input proxy server port number.</source>
            <translation>请输入代理服务器端口号。</translation>
        </message>
        <message>
            <source>The new port establishes the success..</source>
            <translation>新端口设置成功。</translation>
        </message>
        <message>
            <source>Testing the proxy server...</source>
            <translation>正在测试代理服务器……</translation>
        </message>
        <message>
            <source>The proxy server works: %1</source>
            <translation>代理服务器可用：%1</translation>
        </message>
        <message>
            <source>The proxy server does not answer. Please check that it is running.</source>
            <translation>代理服务器没有响应，请确认它已开启。</translation>
        </message>
    </context>
    <context>
        <name>Quillon</name>
        <message>
            <source>Orvanta Quillon</source>
            <translation>Orvanta Quillon 视频下载器</translation>
        </message>
        <message>
            <source>Version: </source>
            <translation>版本：</translation>
        </message>
        <message>
            <source>Notice</source>
            <translation>公告</translation>
        </message>
        <message>
            <source>Website</source>
            <translation>官方网站</translation>
        </message>
        <message>
            <source>FAQs</source>
            <translation>常见问题</translation>
        </message>
        <message>
            <source>About US</source>
            <translation>关于我们</translation>
        </message>
        <message>
            <source>Update</source>
            <translation>检查更新</translation>
        </message>
        <message>
            <source>Language</source>
            <translation>语言</translation>
        </message>
        <message>
            <source>English</source>
            <translation>English</translation>
        </message>
        <message>
            <source>简体中文</source>
            <translation>简体中文</translation>
        </message>
        <message>
            <source>Testing proxy status,please confirm that the agent is open.</source>
            <translation>正在检测代理状态，请确认代理已开启。</translation>
        </message>
        <message>
            <source>The network is available.</source>
            <translation>网络连接正常。</translation>
        </message>
        <message>
            <source>1.Copy video link </source>
            <translation>1. 复制视频链接</translation>
        </message>
        <message>
            <source>2.Click paste link button </source>
            <translation>2. 点击“粘贴链接”按钮</translation>
        </message>
        <message>
            <source>3.select download </source>
            <translation>3. 选择格式并下载</translation>
        </message>
        <message>
            <source>How to parsing failure:</source>
            <translation>解析失败怎么办：</translation>
        </message>
        <message>
            <source>Please contact us. we can provide free remote service and compensation.</source>
            <translation>请联系我们，我们提供免费的远程协助和补偿。</translation>
        </message>
        <message>
            <source>Copy the video link address and click on me</source>
            <translation>复制视频链接地址后点击我</translation>
        </message>
        <message>
            <source>Minimize</source>
            <translation>最小化</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>关闭</translation>
        </message>
        <message>
            <source>Menu</source>
            <translation>菜单</translation>
        </message>
        <message>
            <source>Service and settings</source>
            <translation>服务与设置</translation>
        </message>
        <message>
            <source>Help</source>
            <translation>帮助</translation>
        </message>
        <message>
            <source>E-mail: </source>
            <translation>电子邮箱：</translation>
        </message>
        <message>
            <source>Service hours: 9:00 - 18:00, Monday to Friday</source>
            <translation>服务时间：周一至周五 9:00 - 18:00</translation>
        </message>
        <message>
            <source>Remote help is free of charge.</source>
            <translation>远程协助完全免费。</translation>
        </message>
        <message>
            <source>A fast, friendly downloader for videos, playlists and channels.</source>
            <translation>快速易用的视频、播放列表和频道下载工具。</translation>
        </message>
        <message>
            <source>When download failture,auto redownload.</source>
            <translation>下载失败时自动重新下载。</translation>
        </message>
        <message>
            <source>Load historical records .</source>
            <translation>启动时加载历史记录。</translation>
        </message>
        <message>
            <source>Auto delete file that does not exist.</source>
            <translation>自动删除已不存在的文件记录。</translation>
        </message>
        <message>
            <source>A Vidoe,A folder.</source>
            <translation>每个视频单独保存在一个文件夹中。</translation>
        </message>
        <message>
            <source>Number of the videoes </source>
            <translation>热门视频显示数量</translation>
        </message>
        <message>
            <source>Number of the processes </source>
            <translation>同时下载任务数</translation>
        </message>
        <message>
            <source>Number of analysis processes </source>
            <translation>同时解析任务数</translation>
        </message>
        <message>
            <source>Use adaptive proxy server .</source>
            <translation>使用自适应代理服务器。</translation>
        </message>
        <message>
            <source>Don't use proxy server .</source>
            <translation>不使用代理服务器。</translation>
        </message>
        <message>
            <source>Use IE proxy server .</source>
            <translation>使用 IE 代理服务器。</translation>
        </message>
        <message>
            <source>Use customized proxy server .</source>
            <translation>使用自定义代理服务器。</translation>
        </message>
        <message>
            <source>IP:</source>
            <translation>IP：</translation>
        </message>
        <message>
            <source>Port:</source>
            <translation>端口：</translation>
        </message>
        <message>
            <source>setting</source>
            <translation>设置</translation>
        </message>
        <message>
            <source>Tips</source>
            <translation>提示</translation>
        </message>
        <message>
            <source>Please input proxy server port number.</source>
            <translation>请输入代理服务器端口号。</translation>
        </message>
        <message>
            <source>The new port establishes the success..</source>
            <translation>新端口设置成功。</translation>
        </message>
        <message>
            <source>Test the connection with the link on the clipboard</source>
            <translation>用剪贴板中的链接测试连接</translation>
        </message>
        <message>
            <source>Please waiting for detection agent ...,Software needs third-party agent support.If you have installed the agent,please contact us,We will solve it as soon as possible. </source>
            <translation>正在检测代理，请稍候……本软件需要第三方代理的支持。如果您已安装代理，请联系我们，我们会尽快为您解决。</translation>
        </message>
        <message>
            <source>Warning</source>
            <translation>警告</translation>
        </message>
        <message>
            <source>Please paste the correct URL address!</source>
            <translation>请粘贴正确的网址！</translation>
        </message>
        <message>
            <source>提示:</source>
            <translation>提示：</translation>
        </message>
        <message>
            <source>发现视频链接地址包含视频列表信息,如果选择“yes”，下载视频列表，如果选择“NO”,下载单个视频</source>
            <translation>发现视频链接地址包含视频列表信息。选择“是”下载整个视频列表，选择“否”只下载单个视频。</translation>
        </message>
        <message>
            <source>Queuing</source>
            <translation>排队中</translation>
        </message>
        <message>
            <source>Analysing</source>
            <translation>解析中</translation>
        </message>
        <message>
            <source>Downloading</source>
            <translation>下载中</translation>
        </message>
        <message>
            <source>Finished</source>
            <translation>已完成</translation>
        </message>
        <message>
            <source>Download Failed</source>
            <translation>下载失败</translation>
        </message>
        <message>
            <source>Pause</source>
            <translation>已暂停</translation>
        </message>
        <message>
            <source>Copy download link</source>
            <translation>复制下载链接</translation>
        </message>
        <message>
            <source>Open folder</source>
            <translation>打开文件夹</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>删除</translation>
        </message>
        <message>
            <source>Redownload</source>
            <translation>重新下载</translation>
        </message>
        <message>
            <source>Start</source>
            <translation>开始</translation>
        </message>
        <message>
            <source>play</source>
            <translation>播放</translation>
        </message>
        <message>
            <source>retry download</source>
            <translation>重新下载</translation>
        </message>
        <message>
            <source>open file location</source>
            <translation>打开文件所在位置</translation>
        </message>
        <message>
            <source>Warnning</source>
            <translation>警告</translation>
        </message>
        <message>
            <source>Are you sure to redownload this item?</source>
            <translation>确定要重新下载此任务吗？</translation>
        </message>
        <message>
            <source>Are you sure to delete this item?</source>
            <translation>确定要删除此任务吗？</translation>
        </message>
        <message>
            <source>Are you sure to delete this items?</source>
            <translation>确定要删除这些任务吗？</translation>
        </message>
        <message>
            <source>Are you sure to redownload this items?</source>
            <translation>确定要重新下载这些任务吗？</translation>
        </message>
        <message>
            <source>Delete the tasks of this list</source>
            <translation>删除此列表中的任务</translation>
        </message>
        <message>
            <source>Retry every failed task</source>
            <translation>重试全部失败的任务</translation>
        </message>
        <message>
            <source>Start all</source>
            <translation>全部开始</translation>
        </message>
        <message>
            <source>Pause all</source>
            <translation>全部暂停</translation>
        </message>
        <message>
            <source>Load history</source>
            <translation>加载历史记录</translation>
        </message>
        <message>
            <source>+Batch import</source>
            <translation>+批量链接导入</translation>
        </message>
        <message>
            <source>+Batch export</source>
            <translation>批量链接导出</translation>
        </message>
        <message>
            <source>ALL List</source>
            <translation>全部列表</translation>
        </message>
        <message>
            <source>Pause List</source>
            <translation>暂停列表</translation>
        </message>
        <message>
            <source>Downloading List</source>
            <translation>下载中列表</translation>
        </message>
        <message>
            <source>Downloaded List</source>
            <translation>已完成列表</translation>
        </message>
        <message>
            <source>Failture List</source>
            <translation>失败列表</translation>
        </message>
        <message>
            <source>选择批量导入文件</source>
            <translation>选择批量导入文件</translation>
        </message>
        <message>
            <source>TXT(*.txt)</source>
            <translation>文本文件(*.txt)</translation>
        </message>
        <message>
            <source>保存的文件</source>
            <translation>保存的文件</translation>
        </message>
        <message>
            <source>打开写入文件</source>
            <translation>打开写入文件</translation>
        </message>
        <message>
            <source>打开要写入的文件失败，请检查文件名和是否具有写入权限！</source>
            <translation>打开要写入的文件失败，请检查文件名和是否具有写入权限！</translation>
        </message>
        <message>
            <source>Video Analytics</source>
            <translation>视频解析</translation>
        </message>
        <message>
            <source>Analysing... </source>
            <translation>正在解析……</translation>
        </message>
        <message>
            <source>Download Subtitle</source>
            <translation>下载字幕</translation>
        </message>
        <message>
            <source>Download thumbnail </source>
            <translation>下载缩略图</translation>
        </message>
        <message>
            <source>Language:</source>
            <translation>语言：</translation>
        </message>
        <message>
            <source>Save Location</source>
            <translation>保存位置</translation>
        </message>
        <message>
            <source>please select a type </source>
            <translation>请选择一种格式</translation>
        </message>
        <message>
            <source>提示：不是常用视频格式，推荐选择AVC1格式</source>
            <translation>提示：不是常用视频格式，推荐选择AVC1格式</translation>
        </message>
        <message>
            <source>Incorrect Url address or network unreachabl.</source>
            <translation>网址不正确或网络不可用。</translation>
        </message>
        <message>
            <source>Best Video</source>
            <translation>最佳视频</translation>
        </message>
        <message>
            <source>Video</source>
            <translation>视频</translation>
        </message>
        <message>
            <source>Audeo</source>
            <translation>音频</translation>
        </message>
        <message>
            <source>Video Resolution</source>
            <translation>视频分辨率</translation>
        </message>
        <message>
            <source>Video Size</source>
            <translation>视频大小</translation>
        </message>
        <message>
            <source>Video Frames Per Second</source>
            <translation>视频帧率</translation>
        </message>
        <message>
            <source>Video Encoding Format</source>
            <translation>视频编码格式</translation>
        </message>
        <message>
            <source>繁体中文</source>
            <translation>繁体中文</translation>
        </message>
        <message>
            <source>俄语</source>
            <translation>俄语</translation>
        </message>
        <message>
            <source>韩语</source>
            <translation>韩语</translation>
        </message>
        <message>
            <source>All Selected</source>
            <translation>全选</translation>
        </message>
        <message>
            <source>thumbnail</source>
            <translation>缩略图</translation>
        </message>
        <message>
            <source>Parsing completed,select videoes and click download</source>
            <translation>解析完成，请勾选视频后点击下载</translation>
        </message>
        <message>
            <source> items</source>
            <translation> 个视频</translation>
        </message>
        <message>
            <source>Parsing failture</source>
            <translation>解析失败</translation>
        </message>
        <message>
            <source>Download</source>
            <translation>下载</translation>
        </message>
        <message>
            <source>Choose folder</source>
            <translation>选择文件夹</translation>
        </message>
        <message>
            <source>Enable One-key configuration mode</source>
            <translation>启用一键下载模式</translation>
        </message>
        <message>
            <source>One-key configuration</source>
            <translation>一键下载设置</translation>
        </message>
        <message>
            <source>Video quality</source>
            <translation>视频画质</translation>
        </message>
        <message>
            <source>Download rate</source>
            <translation>下载速度</translation>
        </message>
        <message>
            <source>Subtitle</source>
            <translation>字幕</translation>
        </message>
        <message>
            <source>Save location</source>
            <translation>保存位置</translation>
        </message>
        <message>
            <source>Thumbnail</source>
            <translation>缩略图</translation>
        </message>
        <message>
            <source>Download link</source>
            <translation>下载此链接</translation>
        </message>
        <message>
            <source>Refresh</source>
            <translation>刷新</translation>
        </message>
        <message>
            <source>This Version is the lastest Version, Thank you for support Orvanta quillon.</source>
            <translation>当前已是最新版本，感谢您对 Orvanta Quillon 的支持。</translation>
        </message>
        <message>
            <source>Congratulations! You are running the latest version of %1</source>
            <translation>恭喜！您正在使用最新版本的 %1</translation>
        </message>
        <message>
            <source>No updates are available for the moment</source>
            <translation>暂时没有可用的更新</translation>
        </message>
        <message>
            <source>Downloading updates</source>
            <translation>正在下载更新</translation>
        </message>
        <message>
            <source>Downloading Updates</source>
            <translation>正在下载更新</translation>
        </message>
        <message>
            <source>Time remaining: 0 minutes</source>
            <translation>剩余时间：0 分钟</translation>
        </message>
        <message>
            <source>Time remaining</source>
            <translation>剩余时间</translation>
        </message>
        <message>
            <source>Time Remaining</source>
            <translation>剩余时间</translation>
        </message>
        <message>
            <source>unknown</source>
            <translation>未知</translation>
        </message>
        <message>
            <source>Unknown</source>
            <translation>未知</translation>
        </message>
        <message>
            <source>of</source>
            <translation>/</translation>
        </message>
        <message>
            <source>about one hour</source>
            <translation>约 1 小时</translation>
        </message>
        <message>
            <source>about %1 hours</source>
            <translation>约 %1 小时</translation>
        </message>
        <message>
            <source>1 minute</source>
            <translation>1 分钟</translation>
        </message>
        <message>
            <source>%1 minutes</source>
            <translation>%1 分钟</translation>
        </message>
        <message>
            <source>1 second</source>
            <translation>1 秒</translation>
        </message>
        <message>
            <source>%1 seconds</source>
            <translation>%1 秒</translation>
        </message>
        <message>
            <source>Download complete!</source>
            <translation>下载完成！</translation>
        </message>
        <message>
            <source>The installer will open separately</source>
            <translation>安装程序将单独打开</translation>
        </message>
        <message>
            <source>Click the "Update" button to apply the update</source>
            <translation>点击“更新”按钮安装更新</translation>
        </message>
        <message>
            <source>Error</source>
            <translation>错误</translation>
        </message>
        <message>
            <source>Cannot find downloaded update!</source>
            <translation>找不到已下载的更新！</translation>
        </message>
        <message>
            <source>Updater</source>
            <translation>更新程序</translation>
        </message>
        <message>
            <source>Are you sure you want to cancel the download?</source>
            <translation>确定要取消下载吗？</translation>
        </message>
        <message>
            <source>Are you sure you want to cancel the download? This is a mandatory update, exiting now will close the application</source>
            <translation>确定要取消下载吗？这是一次强制更新，现在退出将关闭程序。</translation>
        </message>
        <message>
            <source>Stop</source>
            <translation>停止</translation>
        </message>
        <message>
            <source>升级内容:</source>
            <translation>更新内容：</translation>
        </message>
        <message>
            <source>No popular lists are available.</source>
            <translation>暂无热门列表。</translation>
        </message>
        <message>
            <source>There are no notices at the moment.</source>
            <translation>暂时没有公告。</translation>
        </message>
        <message>
            <source>The downloaded installer does not match its published checksum. It was deleted and will not be started.</source>
            <translation>下载的安装程序与公布的校验值不符，已删除，不会运行。</translation>
        </message>
        <message>
            <source>The update was refused.</source>
            <translation>已拒绝此更新。</translation>
        </message>
        <message>
            <source>The download of the update failed.</source>
            <translation>更新下载失败。</translation>
        </message>
        <message>
            <source>The update information could not be read. Please try again later.</source>
            <translation>无法读取更新信息，请稍后再试。</translation>
        </message>
        <message>
            <source>%1 bytes</source>
            <translation>%1 字节</translation>
        </message>
        <message>
            <source>%1 KB</source>
            <translation>%1 KB</translation>
        </message>
        <message>
            <source>%1 MB</source>
            <translation>%1 MB</translation>
        </message>
        <message>
            <source>Notify me when a download ends in the background.</source>
            <translation>窗口在后台时，下载完成或失败后发送桌面通知。</translation>
        </message>
        <message>
            <source>Download finished</source>
            <translation>下载完成</translation>
        </message>
        <message>
            <source>Download failed</source>
            <translation>下载失败</translation>
        </message>
        <message>
            <source>Show</source>
            <translation>查看</translation>
        </message>
    </context>
    <context>
        <name>RetryRules</name>
        <message>
            <source>Retry %1 of %2 at %3</source>
            <translation>第 %1/%2 次重试：%3</translation>
        </message>
    </context>
    <context>
        <name>SingleDialog</name>
        <message>
            <source>Video Analytics</source>
            <translation>视频解析</translation>
        </message>
        <message>
            <source>Save Location:</source>
            <translation>保存位置：</translation>
        </message>
        <message>
            <source>Download Subtitle</source>
            <translation>下载字幕</translation>
        </message>
        <message>
            <source>Language:</source>
            <translation>语言：</translation>
        </message>
        <message>
            <source>Download thumbnail </source>
            <translation>下载缩略图</translation>
        </message>
        <message>
            <source>Analysing... </source>
            <translation>正在解析……</translation>
        </message>
        <message>
            <source>Incorrect Url address or network unreachabl.</source>
            <translation>网址不正确或网络不可用。</translation>
        </message>
        <message>
            <source>提示：不是常用视频格式，推荐选择AVC1格式</source>
            <translation>提示：不是常用视频格式，推荐选择AVC1格式</translation>
        </message>
        <message>
            <source>Warning</source>
            <translation>警告</translation>
        </message>
        <message>
            <source>please select a type </source>
            <translation>请选择一种格式</translation>
        </message>
    </context>
    <context>
        <name>TaskStatus</name>
        <message>
            <source>Queuing</source>
            <translation>排队中</translation>
        </message>
        <message>
            <source>Analysing</source>
            <translation>解析中</translation>
        </message>
        <message>
            <source>Downloading</source>
            <translation>下载中</translation>
        </message>
        <message>
            <source>Finished</source>
            <translation>已完成</translation>
        </message>
        <message>
            <source>Download Failed</source>
            <translation>下载失败</translation>
        </message>
        <message>
            <source>Pause</source>
            <translation>已暂停</translation>
        </message>
        <message>
            <source>Failed: Update extractor</source>
            <translation>失败：请更新解析组件</translation>
        </message>
    </context>
    <context>
        <name>TopForm</name>
        <message>
            <source>Download</source>
            <translation>下载</translation>
        </message>
        <message>
            <source>Copy download link</source>
            <translation>复制下载链接</translation>
        </message>
        <message>
            <source>Download link</source>
            <translation>下载此链接</translation>
        </message>
    </context>
    <context>
        <name>Updater</name>
        <message>
            <source>Updater</source>
            <translation>更新程序</translation>
        </message>
        <message>
            <source>The update information could not be read. Please try again later.</source>
            <translation>无法读取更新信息，请稍后再试。</translation>
        </message>
        <message>
            <source>Congratulations! You are running the latest version of %1</source>
            <translation>恭喜！您正在使用最新版本的 %1</translation>
        </message>
        <message>
            <source>No updates are available for the moment</source>
            <translation>暂时没有可用的更新</translation>
        </message>
    </context>
    <context>
        <name>itemWidget</name>
        <message>
            <source>play</source>
            <translation>播放</translation>
        </message>
        <message>
            <source>retry download</source>
            <translation>重新下载</translation>
        </message>
        <message>
            <source>open file location</source>
            <translation>打开文件所在位置</translation>
        </message>
        <message>
            <source>Copy download link</source>
            <translation>复制下载链接</translation>
        </message>
        <message>
            <source>Open folder</source>
            <translation>打开文件夹</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>删除</translation>
        </message>
        <message>
            <source>Redownload</source>
            <translation>重新下载</translation>
        </message>
        <message>
            <source>Start</source>
            <translation>开始</translation>
        </message>
        <message>
            <source>Pause download</source>
            <translation>暂停下载</translation>
        </message>
    </context>
</TS>
