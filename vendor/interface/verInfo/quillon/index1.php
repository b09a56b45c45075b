{"state": "ok", "data": {"active": 1, "versionNo": "2.6.1"}}
