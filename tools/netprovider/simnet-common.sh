# Shared by install-simnet.sh and uninstall-simnet.sh (sourced, not run).
# Reads a network description with the same rules as the provider (see network_description.h)
# and calls simnet_share DOMAIN SERVER SHARE / simnet_server DOMAIN SERVER for each good line.
simnet_service=SimNet
simnet_services_key='HKLM\System\CurrentControlSet\Services\SimNet'
simnet_order_key='HKLM\System\CurrentControlSet\Control\NetworkProvider\Order'

simnet_windows_path() { # a Unix path as Wine's Z: drive sees it
    local path
    path=$(realpath -m "$1")
    printf 'Z:%s' "${path//\//\\}"
}

simnet_refuse() { # REASON; uses the caller's $file and $number
    echo "simnet: $file line $number refused: $1" >&2
}

simnet_read_description() { # FILE
    local LC_ALL=C
    local file=$1 number=0 line path comment domain server share rest
    local host='^[A-Za-z0-9_$-][A-Za-z0-9_.$-]{0,14}$' share_re='^[A-Za-z0-9_$-][A-Za-z0-9_.$-]{0,79}$'
    local comment_re='^[ -{}~]{0,255}$'
    declare -A server_domain=() seen_share=()
    while IFS= read -r line || [ -n "$line" ]; do
        number=$((number + 1))
        line=${line%$'\r'}
        if [ ${#line} -gt 512 ]; then simnet_refuse "line too long"; continue; fi
        [[ $line =~ ^[[:space:]]*$ || $line =~ ^[[:space:]]*# ]] && continue
        if [[ $line == @* ]]; then # the network's costs, for the provider alone
            if ! [[ $line =~ ^@(latency|timeout)[[:blank:]]+([0-9]{1,6})[[:blank:]]*$ ]] ||
                [ "$((10#${BASH_REMATCH[2]}))" -gt 600000 ]; then
                simnet_refuse "bad setting"
            fi
            continue
        fi
        path=${line%%|*}
        comment=
        [[ $line == *'|'* ]] && comment=${line#*|}
        if ! [[ $comment =~ $comment_re ]]; then simnet_refuse "bad comment"; continue; fi
        IFS='\' read -r domain server share rest <<<"$path"
        if [ -n "$rest" ] || [[ $path == *\\*\\*\\* ]]; then simnet_refuse "too many path parts"; continue; fi
        if ! [[ $domain =~ $host && $server =~ $host ]]; then simnet_refuse "bad domain or server name"; continue; fi
        if [[ $path == *\\*\\* ]] && ! [[ $share =~ $share_re ]]; then simnet_refuse "bad share name"; continue; fi
        local d=${domain,,} s=${server,,}
        if [ -n "${server_domain[$s]:-}" ] && [ "${server_domain[$s]}" != "$d" ]; then
            simnet_refuse "server already listed in another domain"; continue
        fi
        server_domain[$s]=$d
        if [ -z "$share" ]; then simnet_server "$domain" "$server"; continue; fi
        if [ -n "${seen_share[$s/${share,,}]:-}" ]; then simnet_refuse "share already listed"; continue; fi
        seen_share[$s/${share,,}]=1
        simnet_share "$domain" "$server" "$share"
    done <"$file"
}
